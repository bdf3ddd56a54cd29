#include "ShopGenerator.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ProgramDatabase.h"
#include "RecordColumns.h"
#include "RecordTypes.h"

namespace {

// splitmix64: small, fast and the same on every platform and library,
// unlike the standard distributions.
class Rng
{
public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // In [0, n).
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    double between(double low, double high) { return low + (high - low) * unit(); }
    bool chance(double p) { return unit() < p; }
    // Index in [0, n) favouring the start: a few popular entries, a long tail.
    int skewed(int n) { return std::min(n - 1, static_cast<int>(n * std::pow(unit(), 2.2))); }
    template<typename T, std::size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(static_cast<int>(N))];
    }

private:
    std::uint64_t m_state;
};

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

QString money(double value)
{
    return DoubleToStr(value);
}

// A key in the program's GUID form, from the generator's own numbers so
// that a seed always gives the same shop.
QString guid(Rng &rng)
{
    const unsigned long long a = rng.next();
    const unsigned long long b = rng.next();
    return QString::asprintf("%08llX-%04llX-%04llx-%04llX-%012llX", a >> 32, (a >> 16) & 0xFFFF, a & 0xFFFF,
                             b >> 48, b & 0xFFFFFFFFFFFFull);
}

// The bill total in capital numerals: each digit of its DoubleToStr text with
// the unit of its place.
QString capitalMoney(double total)
{
    static const char *const digits[] = {"零", "壹", "贰", "参", "肆", "伍", "陆", "柒", "捌", "玖"};
    static const char *const units[] = {"分", "角", "元", "拾", "佰", "仟", "万", "拾", "佰", "仟"};
    QString text = money(total);
    text.remove(QLatin1Char('.'));
    text.remove(QLatin1Char('-'));
    text = text.right(10);
    QString capital;
    for (int i = 0; i < text.size(); ++i) {
        const int place = static_cast<int>(text.size()) - 1 - i;
        capital += u(digits[text[i].digitValue()]) + u(units[place]) + QLatin1Char(' ');
    }
    return capital;
}

const char *const kCities[] = {"杭州", "宁波", "温州", "绍兴", "嘉兴", "湖州", "金华", "台州", "衢州", "丽水",
                               "上海", "苏州", "无锡", "常州", "南京", "合肥", "福州", "义乌", "慈溪", "余姚"};
const char *const kRoots[] = {"恒达", "宏远", "鑫源", "永盛", "华丰", "金泰", "顺发", "联创", "新世纪", "安达",
                              "佳乐", "富强", "光明", "天成", "东方", "汇通", "瑞丰", "立信", "远航", "德胜",
                              "正兴", "万隆", "中恒", "长江", "明珠", "盛世", "金鼎", "利民", "同兴", "浙丰"};
const char *const kTrades[] = {"五金", "机电", "建材", "水暖", "电器", "商贸", "工贸", "实业", "装饰", "电气"};
const char *const kClientSuffixes[] = {"有限公司", "经营部", "商行", "贸易有限公司", "门市部", "批发部"};
const char *const kProviderSuffixes[] = {"制造有限公司", "厂", "实业有限公司", "科技有限公司", "集团有限公司"};
const char *const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "朱", "胡"};
const char *const kGivenNames[] = {"伟", "芳", "娜", "敏", "静", "强", "磊", "军", "洋", "勇", "艳", "杰", "涛", "明",
                                   "超", "秀英", "建国", "海燕", "志强", "丽华", "晓东", "国平"};
const char *const kDistricts[] = {"城东区", "城西区", "开发区", "高新区", "江北区", "滨江区", "工业园区"};
const char *const kRoads[] = {"解放路", "人民路", "中山路", "建设路", "工业路", "环城北路", "文化路", "江南大道"};
const char *const kSellers[] = {"张伟", "李娜", "王芳", "刘洋", "陈静", "赵磊"};
const char *const kBanks[] = {"工商银行", "农业银行", "建设银行", "中国银行", "支付宝", "邮政储蓄", "招商银行"};

// A product family: base names, the prefixes that make them distinct
// products, a variant pattern, the unit and the purchase price range.
struct Family
{
    const char *names[3];
    const char *prefixes[4];
    const char *unit;
    double lowPrice;
    double highPrice;
    QString (*spec)(Rng &);
};

QString boltSpec(Rng &r)
{
    static const int d[] = {4, 5, 6, 8, 10, 12, 14, 16, 20};
    return QStringLiteral("M%1x%2").arg(r.pick(d)).arg(r.between(2, 20) * 5);
}
QString bearingSpec(Rng &r)
{
    return QStringLiteral("6%1%2").arg(r.between(0, 3)).arg(r.between(0, 12), 2, 10, QLatin1Char('0'));
}
QString motorSpec(Rng &r)
{
    static const char *const power[] = {"0.75kW", "1.1kW", "1.5kW", "2.2kW", "3kW", "4kW", "5.5kW", "7.5kW", "11kW"};
    return QStringLiteral("Y%1-%2 %3").arg(r.between(80, 160)).arg(r.pick({2, 4, 6})).arg(u(r.pick(power)));
}
QString breakerSpec(Rng &r)
{
    static const int amps[] = {6, 10, 16, 20, 25, 32, 40, 50, 63};
    return QStringLiteral("DZ47-63 %1P C%2").arg(r.between(1, 4)).arg(r.pick(amps));
}
QString wireSpec(Rng &r)
{
    static const char *const size[] = {"1.5", "2.5", "4", "6", "10", "16", "25"};
    return QStringLiteral("BV %1mm² %2米").arg(u(r.pick(size))).arg(r.pick({50, 100}));
}
QString pipeSpec(Rng &r)
{
    static const int dn[] = {20, 25, 32, 40, 50, 63, 75, 90, 110};
    return QStringLiteral("dn%1x%2").arg(r.pick(dn)).arg(r.between(20, 100) / 10.0, 0, 'f', 1);
}
QString valveSpec(Rng &r)
{
    static const int dn[] = {15, 20, 25, 32, 40, 50, 65, 80, 100};
    return QStringLiteral("DN%1 PN%2").arg(r.pick(dn)).arg(r.pick({10, 16, 25}));
}
QString paintSpec(Rng &r)
{
    static const char *const colour[] = {"白色", "米黄", "浅灰", "象牙白", "天蓝", "银灰"};
    return QStringLiteral("%1L %2").arg(r.pick({1, 5, 18, 20})).arg(u(r.pick(colour)));
}
QString lampSpec(Rng &r)
{
    return QStringLiteral("%1W E%2 %3K").arg(r.pick({3, 5, 7, 9, 12, 15, 18, 24, 36})).arg(r.pick({14, 27})).arg(
        r.pick({3000, 4000, 6500}));
}
QString socketSpec(Rng &r)
{
    static const char *const kind[] = {"五孔", "三孔", "带开关五孔", "USB五孔", "四位", "六位"};
    return QStringLiteral("%1 %2A").arg(u(r.pick(kind))).arg(r.pick({10, 16}));
}
QString toolSpec(Rng &r)
{
    return QStringLiteral("%1型 %2W").arg(r.pick({100, 125, 150, 180})).arg(r.between(5, 24) * 50);
}
QString drillSpec(Rng &r)
{
    return QStringLiteral("φ%1x%2").arg(r.between(20, 260) / 10.0, 0, 'f', 1).arg(r.between(6, 30) * 5);
}
QString tubeSpec(Rng &r)
{
    return QStringLiteral("%1x%2x6000").arg(r.between(10, 114)).arg(r.between(8, 40) / 10.0, 0, 'f', 1);
}
QString packSpec(Rng &r)
{
    static const char *const pack[] = {"300ml", "590ml", "48mm×50m", "60mm×100m", "φ3.2", "φ4.0", "L号", "XL号"};
    return QStringLiteral("%1 %2").arg(u(r.pick(pack))).arg(r.pick({12, 20, 24, 50, 100}));
}

const Family kFamilies[] = {
    {{"六角螺栓", "内六角螺钉", "膨胀螺栓"}, {"", "不锈钢", "镀锌", "8.8级"}, "盒", 3, 60, boltSpec},
    {{"六角螺母", "平垫圈", "弹簧垫圈"}, {"", "不锈钢", "镀锌", "国标"}, "盒", 2, 40, boltSpec},
    {{"深沟球轴承", "调心球轴承", "圆锥滚子轴承"}, {"", "哈瓦洛", "人本", "瓦房店"}, "套", 6, 180, bearingSpec},
    {{"三相异步电机", "单相电机", "减速电机"}, {"", "国标", "铜芯", "防爆"}, "台", 380, 4200, motorSpec},
    {{"空气开关", "漏电保护器", "交流接触器"}, {"", "正泰", "德力西", "天正"}, "只", 12, 160, breakerSpec},
    {{"铜芯电线", "护套线", "阻燃电线"}, {"", "国标", "远东", "熊猫"}, "卷", 60, 900, wireSpec},
    {{"PPR水管", "PVC排水管", "PE给水管"}, {"", "联塑", "伟星", "日丰"}, "根", 8, 120, pipeSpec},
    {{"铜球阀", "闸阀", "止回阀"}, {"", "不锈钢", "铸铁", "黄铜"}, "只", 15, 600, valveSpec},
    {{"内墙乳胶漆", "防锈漆", "木器清漆"}, {"", "立邦", "多乐士", "三棵树"}, "桶", 35, 680, paintSpec},
    {{"LED球泡灯", "LED灯管", "节能灯"}, {"", "飞利浦", "欧普", "雷士"}, "只", 4, 60, lampSpec},
    {{"墙壁插座", "排插", "开关面板"}, {"", "公牛", "西门子", "正泰"}, "只", 6, 90, socketSpec},
    {{"角磨机", "冲击钻", "切割机"}, {"", "博世", "东成", "牧田"}, "台", 120, 1500, toolSpec},
    {{"麻花钻头", "冲击钻头", "开孔器"}, {"", "高速钢", "含钴", "硬质合金"}, "支", 2, 80, drillSpec},
    {{"不锈钢管", "镀锌钢管", "方管"}, {"", "304", "201", "国标"}, "根", 40, 650, tubeSpec},
    {{"玻璃胶", "胶带", "焊条"}, {"", "中性", "耐候", "高强"}, "箱", 20, 260, packSpec},
};

struct Product
{
    struct_button_storeproduct record;
    double purchasePrice;
    double salesPrice;
};

// How many of a product one line moves: small parts by the hundred,
// machines one by one.
int lineCount(Rng &rng, double price)
{
    if (price < 10)
        return rng.between(10, 300);
    if (price < 100)
        return rng.between(2, 80);
    if (price < 500)
        return rng.between(1, 20);
    return rng.between(1, 5);
}

// One prepared INSERT reused for every row of a table; the columns are the
// program's own (RecordColumns).
class RowInserter
{
public:
    RowInserter(Database &db, const char *table, const Database::Row &prototype)
        : m_insert(prepare(db, table, prototype))
    {
    }

    void insert(const Database::Row &row)
    {
        m_insert.reset();
        int index = 1;
        for (const auto &column : row)
            m_insert.bind(index++, column.second);
        m_insert.run();
    }

private:
    static Statement prepare(Database &db, const char *table, const Database::Row &prototype)
    {
        QStringList columns;
        QStringList marks;
        for (const auto &column : prototype) {
            columns << column.first;
            marks << QStringLiteral("?");
        }
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(QString::fromLatin1(table), columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        return db.prepare(sql.toUtf8().constData());
    }

    Statement m_insert;
};

template<typename Party>
Party makeParty(Rng &rng, const QString &name)
{
    Party party;
    party.ContactName = u(rng.pick(kSurnames)) + u(rng.pick(kGivenNames));
    party.Loan = party.BeginArrears = rng.chance(0.3) ? money(rng.between(1, 400) * 50.0) : QStringLiteral("0");
    party.Tel = QStringLiteral("0%1-8%2").arg(rng.between(510, 599)).arg(rng.between(1000000, 9999999));
    party.Mobile = QStringLiteral("13%1").arg(rng.between(100000000, 999999999));
    party.Fax = rng.chance(0.5) ? party.Tel : QString();
    party.Web = rng.chance(0.2) ? QStringLiteral("www.shop%1.com").arg(rng.between(100, 99999)) : QString();
    party.Email = rng.chance(0.4) ? QStringLiteral("sales%1@163.com").arg(rng.between(100, 99999)) : QString();
    party.QQ = rng.chance(0.6) ? QString::number(rng.between(10000000, 999999999)) : QString();
    party.Address = name.left(2) + QStringLiteral("市") + u(rng.pick(kDistricts)) + u(rng.pick(kRoads))
        + QString::number(rng.between(1, 888)) + QStringLiteral("号");
    party.Remark = rng.chance(0.1) ? QStringLiteral("老客户") : QString();
    party.GUID = guid(rng);
    party.ProductPriceSum = party.PayoutIncome = party.SumIncome = party.ClientSumArrears = QStringLiteral("0");
    return party;
}

QString areaOf(const QString &name)
{
    // 本地 for the home city, 省内 for the rest of the province, else 其它.
    if (name.startsWith(QStringLiteral("杭州")))
        return QStringLiteral("1");
    static const QStringList province = {u("宁波"), u("温州"), u("绍兴"), u("嘉兴"), u("湖州"), u("金华"),
                                         u("台州"), u("衢州"), u("丽水"), u("义乌"), u("慈溪"), u("余姚")};
    for (const QString &city : province) {
        if (name.startsWith(city))
            return QStringLiteral("2");
    }
    return QStringLiteral("3");
}

QStringList uniqueNames(Rng &rng, int count, const char *const *suffixes, int suffixCount)
{
    QSet<QString> seen;
    QStringList names;
    while (names.size() < count) {
        QString name = u(rng.pick(kCities)) + u(rng.pick(kRoots)) + u(rng.pick(kTrades))
            + u(suffixes[rng.below(suffixCount)]);
        if (seen.contains(name))
            name = u(rng.pick(kCities)) + u(rng.pick(kRoots)) + QString::number(names.size()) + u(rng.pick(kTrades))
                + u(suffixes[rng.below(suffixCount)]);
        if (seen.contains(name))
            continue;
        seen.insert(name);
        names << name;
    }
    return names;
}

// Sorted random dates: bills are entered day after day.
std::vector<QDate> billDates(Rng &rng, int count, const ShopProfile &profile)
{
    const int days = static_cast<int>(profile.firstDay.daysTo(profile.lastDay)) + 1;
    std::vector<int> offsets(static_cast<std::size_t>(count));
    for (int &offset : offsets) {
        // Business grows: later days get more bills.
        offset = static_cast<int>(days * std::sqrt(rng.unit()));
        offset = std::min(offset, days - 1);
    }
    std::sort(offsets.begin(), offsets.end());
    std::vector<QDate> dates;
    dates.reserve(offsets.size());
    for (int offset : offsets)
        dates.push_back(profile.firstDay.addDays(offset));
    return dates;
}

// Line counts of the bills of one side, one to six lines each, adding up
// to the side's number of lines.
std::vector<int> billSizes(Rng &rng, int lines)
{
    std::vector<int> sizes;
    for (int left = lines; left > 0;) {
        const int size = std::min(left, rng.chance(0.35) ? 1 : rng.between(2, 6));
        sizes.push_back(size);
        left -= size;
    }
    return sizes;
}

struct Side
{
    bool isSales;
    const QStringList *parties;
    int lines;
    double returnShare;
    ShopSummary *summary;
};

class GoodsBillWriter
{
public:
    GoodsBillWriter(Database &db, Rng &rng, const std::vector<Product> &products, const QStringList &accounts,
                    const Side &side)
        : m_rng(rng)
        , m_products(products)
        , m_accounts(accounts)
        , m_side(side)
        , m_insert(db, side.isSales ? "tbl_GoodsBill_shipment" : "tbl_goodsbill_shipment_provider",
                   side.isSales ? InsertColumns(struct_button_goodsbill())
                                : InsertColumns(struct_button_provider_goodsbill()))
    {
    }

    // One bill of the given products; countFactor scales each line's count.
    void write(const QDate &date, bool isReturn, const std::vector<int> &productIndexes, int countFactor)
    {
        struct_button_goodsbill head;
        head.BillType = isReturn ? u("退货单") : (m_side.isSales ? u("出货单") : u("进货单"));
        const QString prefix = m_side.isSales ? (isReturn ? u("XS_TH_") : u("XS_CH_"))
                                              : (isReturn ? u("CG_TH_") : u("CG_JH_"));
        head.BillCode = prefix + date.toString(QStringLiteral("yyyyMMdd"));
        head.InputDate = DateText(date);
        head.CompanyName = (*m_side.parties)[m_rng.skewed(static_cast<int>(m_side.parties->size()))];
        head.SellerName = u(m_rng.pick(kSellers));
        head.GUID = guid(m_rng);
        head.AccountName = m_accounts[m_rng.below(static_cast<int>(m_accounts.size()))];
        head.IncomeType = u("货款");
        head.FundType = m_rng.chance(0.6) ? u("转账") : u("现金");
        head.voucher = m_rng.chance(0.5) ? u("发票") : u("收据");
        head.BillRemark = m_rng.chance(0.05) ? u("加急") : QString();

        std::vector<struct_button_goodsbill> lines;
        double total = 0.0;
        for (int index : productIndexes) {
            const Product &product = m_products[static_cast<std::size_t>(index)];
            struct_button_goodsbill line = head;
            line.ProductCode = product.record.ProductCode;
            line.ProductName = product.record.ProductName;
            line.ProductSpec = product.record.ProductSpec;
            line.ProductUnit = product.record.ProductUnit;
            const double base = m_side.isSales ? product.salesPrice : product.purchasePrice;
            const double unitPrice = StrToDouble(money(base * m_rng.between(0.93, 1.06)));
            int count = lineCount(m_rng, product.purchasePrice) * countFactor;
            // Returns are a few pieces.
            if (isReturn)
                count = std::max(1, count / 8);
            const double amount = StrToDouble(money(unitPrice * count));
            line.ProductAmount = QString::number(count);
            line.ProductUnitPrice = money(unitPrice);
            line.ProductPrice = money(amount);
            total += amount;
            lines.push_back(line);
        }
        const bool hasDeposit = !isReturn && m_rng.chance(0.15);
        for (struct_button_goodsbill &line : lines) {
            line.SumMoney = money(total);
            line.CapMoney = capitalMoney(total);
            line.EnableImprest = hasDeposit ? u("启用预付款") : u("禁用预付款");
            line.Imprest = hasDeposit ? money(std::floor(total * 0.3)) : u("0");
            m_insert.insert(m_side.isSales ? InsertColumns(line) : InsertColumns(ToPurchaseLayout(line)));
        }
        ++(m_side.isSales ? m_side.summary->salesBills : m_side.summary->purchaseBills);
        (m_side.isSales ? m_side.summary->salesLines : m_side.summary->purchaseLines) += static_cast<int>(lines.size());
    }

private:
    Rng &m_rng;
    const std::vector<Product> &m_products;
    const QStringList &m_accounts;
    Side m_side;
    RowInserter m_insert;
};

void writeGoodsBills(Database &db, Rng &rng, const ShopProfile &profile, const std::vector<Product> &products,
                     const std::vector<int> &popularity, const QStringList &accounts, const Side &side)
{
    GoodsBillWriter writer(db, rng, products, accounts, side);
    int lines = side.lines;
    // The books start with the opening stock: one stock-in line per
    // product on the first day.
    if (!side.isSales) {
        std::vector<int> bill;
        for (int index = 0; index < static_cast<int>(products.size()) && lines > 0; ++index, --lines) {
            bill.push_back(index);
            if (bill.size() == 6 || index + 1 == static_cast<int>(products.size()) || lines == 1) {
                writer.write(profile.firstDay, false, bill, 4);
                bill.clear();
            }
        }
    }
    const std::vector<int> sizes = billSizes(rng, lines);
    const std::vector<QDate> dates = billDates(rng, static_cast<int>(sizes.size()), profile);
    const int popular = static_cast<int>(popularity.size());
    for (std::size_t b = 0; b < sizes.size(); ++b) {
        std::vector<int> bill;
        while (static_cast<int>(bill.size()) < sizes[b]) {
            int index = popularity[static_cast<std::size_t>(rng.skewed(popular))];
            if (std::find(bill.begin(), bill.end(), index) != bill.end())
                index = popularity[static_cast<std::size_t>(rng.below(popular))];
            bill.push_back(index);
        }
        // Stock-ins come in bulk.
        writer.write(dates[b], rng.chance(side.returnShare), bill, side.isSales ? 1 : 3);
    }
}

} // namespace

ShopSummary GenerateShop(Database &db, const ShopProfile &profile)
{
    if (profile.products < 1 || profile.clients < 1 || profile.providers < 1 || profile.accounts < 1
        || profile.firstDay > profile.lastDay)
        throw std::invalid_argument("a shop needs products, clients, providers, an account and a period");

    Rng rng(profile.seed);
    ShopSummary summary;
    Transaction transaction(db);

    // Accounts: the schema's 现金 and banks.
    QStringList accounts{u("现金")};
    {
        RowInserter insert(db, "tbl_AccountMgr", InsertColumns(struct_button_account()));
        for (int i = 1; i < profile.accounts; ++i) {
            struct_button_account account;
            account.AccountName = i <= static_cast<int>(std::size(kBanks)) ? u(kBanks[i - 1])
                                                                           : QStringLiteral("账户%1").arg(i);
            account.AccountBalance = account.MonthBalance = QStringLiteral("0");
            account.GUID = guid(rng);
            insert.insert(InsertColumns(account));
            accounts << account.AccountName;
        }
        summary.accounts = static_cast<int>(accounts.size());
    }

    const QStringList clients = uniqueNames(rng, profile.clients, kClientSuffixes, static_cast<int>(std::size(kClientSuffixes)));
    {
        RowInserter insert(db, "tbl_clientmgr", InsertColumns(struct_button_data()));
        for (const QString &name : clients) {
            struct_button_data client = makeParty<struct_button_data>(rng, name);
            client.ClientName = name;
            client.ClientArea = areaOf(name);
            insert.insert(InsertColumns(client));
        }
        summary.clients = static_cast<int>(clients.size());
    }
    const QStringList providers = uniqueNames(rng, profile.providers, kProviderSuffixes, static_cast<int>(std::size(kProviderSuffixes)));
    {
        RowInserter insert(db, "tbl_ProviderMgr", InsertColumns(struct_button_provider()));
        for (const QString &name : providers) {
            struct_button_provider provider = makeParty<struct_button_provider>(rng, name);
            provider.ProviderName = name;
            provider.ProviderArea = areaOf(name);
            insert.insert(InsertColumns(provider));
        }
        summary.providers = static_cast<int>(providers.size());
    }

    // Products: a family, a base name, a prefix and a variant.
    std::vector<Product> products;
    {
        RowInserter insert(db, "tbl_StoreMgr", InsertColumns(struct_button_storeproduct()));
        QSet<QString> seen;
        while (static_cast<int>(products.size()) < profile.products) {
            const Family &family = rng.pick(kFamilies);
            const QString name = u(family.prefixes[rng.below(4)]) + u(family.names[rng.below(3)]);
            const QString spec = family.spec(rng);
            if (seen.contains(name + QLatin1Char('|') + spec))
                continue;
            seen.insert(name + QLatin1Char('|') + spec);
            Product product;
            product.purchasePrice = StrToDouble(money(std::exp(rng.between(std::log(family.lowPrice), std::log(family.highPrice)))));
            product.salesPrice = StrToDouble(money(product.purchasePrice * rng.between(1.12, 1.45)));
            struct_button_storeproduct &record = product.record;
            record.ProductCode = QStringLiteral("SP%1").arg(products.size() + 1, 5, 10, QLatin1Char('0'));
            record.ProductName = name;
            record.ProductSpec = spec;
            record.ProductUnit = u(family.unit);
            record.StockUnitPrice = money(product.purchasePrice);
            record.ShipmentUnitPrice = money(product.salesPrice);
            record.PromptCount = QString::number(rng.pick({0, 5, 10, 10, 20, 50, 100}));
            record.ProductRemark = rng.chance(0.1) ? u("常用备货") : QString();
            record.ProductStockCount = QStringLiteral("0");
            record.GUID = guid(rng);
            insert.insert(InsertColumns(record));
            products.push_back(product);
        }
        summary.products = static_cast<int>(products.size());
    }
    // The popular products are spread over the codes, not the first ones.
    std::vector<int> popularity(products.size());
    for (std::size_t i = 0; i < popularity.size(); ++i)
        popularity[i] = static_cast<int>(i);
    for (std::size_t i = popularity.size(); i > 1; --i)
        std::swap(popularity[i - 1], popularity[static_cast<std::size_t>(rng.below(static_cast<int>(i)))]);

    writeGoodsBills(db, rng, profile, products, popularity, accounts,
                    Side{false, &providers, profile.purchaseLines, profile.purchaseReturnShare, &summary});
    writeGoodsBills(db, rng, profile, products, popularity, accounts,
                    Side{true, &clients, profile.salesLines, profile.salesReturnShare, &summary});

    // Finance bills: clients mostly pay in, providers are mostly paid.
    {
        RowInserter salesSide(db, "tbl_FinanceBill_income", InsertColumns(struct_button_financebill()));
        RowInserter purchaseSide(db, "tbl_FinanceBill_income_provider",
                                 InsertColumns(struct_button_financebill_provider()));
        const std::vector<QDate> dates = billDates(rng, profile.financeBills, profile);
        for (const QDate &date : dates) {
            const bool isSales = rng.chance(0.6);
            const bool isIncome = rng.chance(isSales ? 0.85 : 0.15);
            struct_button_financebill bill;
            bill.BillType = isIncome ? u("收入单") : u("支出单");
            bill.BillCode = (isIncome ? u("SR_") : u("ZC_")) + (isSales ? u("XS_") : u("CG_"))
                + date.toString(QStringLiteral("yyyyMMdd"));
            bill.AccountName = accounts[rng.below(static_cast<int>(accounts.size()))];
            bill.InputDate = DateText(date);
            const QStringList &parties = isSales ? clients : providers;
            bill.ClientName = parties[rng.skewed(static_cast<int>(parties.size()))];
            bill.MoneyCount = money(std::round(std::exp(rng.between(std::log(100.0), std::log(80000.0)))));
            bill.IncomeType = rng.chance(0.85) ? u("货款") : u("其它");
            bill.MoneyType = rng.chance(0.6) ? u("转账") : u("现金");
            bill.Voucher = rng.chance(0.5) ? u("发票") : u("收据");
            bill.SellerName = u(rng.pick(kSellers));
            bill.BillRemark = rng.chance(0.05) ? u("月结") : QString();
            bill.GUID = guid(rng);
            if (isSales)
                salesSide.insert(InsertColumns(bill));
            else
                purchaseSide.insert(InsertColumns(ToPurchaseLayout(bill)));
            ++summary.financeBills;
        }
    }

    // Price lists: agreed prices of some products for some parties.
    {
        RowInserter clientList(db, "tbl_ClientPriceList", {{u("ClientName"), {}}, {u("ProductCode"), {}},
            {u("ProductName"), {}}, {u("ProductSpec"), {}}, {u("ProductUnit"), {}}, {u("ShipmentUnitPrice"), {}},
            {u("ProductRemark"), {}}, {u("StockUnitPrice"), {}}, {u("GUID"), {}}});
        RowInserter providerList(db, "tbl_ProviderPriceList", {{u("ProviderName"), {}}, {u("ProductCode"), {}},
            {u("ProductName"), {}}, {u("ProductSpec"), {}}, {u("ProductUnit"), {}}, {u("ShipmentUnitPrice"), {}},
            {u("ProductRemark"), {}}, {u("StockUnitPrice"), {}}, {u("GUID"), {}}});
        QSet<QString> listed;
        for (int i = 0; i < profile.priceListEntries; ++i) {
            const bool isClient = rng.chance(0.7);
            const QStringList &parties = isClient ? clients : providers;
            const QString party = parties[rng.skewed(static_cast<int>(parties.size()))];
            const Product &product = products[static_cast<std::size_t>(
                popularity[static_cast<std::size_t>(rng.skewed(static_cast<int>(popularity.size())))])];
            const QString key = party + QLatin1Char('|') + product.record.GUID;
            if (listed.contains(key))
                continue;
            listed.insert(key);
            const Database::Row row = {{{}, party},
                                       {{}, product.record.ProductCode},
                                       {{}, product.record.ProductName},
                                       {{}, product.record.ProductSpec},
                                       {{}, product.record.ProductUnit},
                                       {{}, money(product.salesPrice * rng.between(0.9, 1.0))},
                                       {{}, QString()},
                                       {{}, money(product.purchasePrice * rng.between(0.95, 1.0))},
                                       {{}, guid(rng)}};
            (isClient ? clientList : providerList).insert(row);
            ++summary.priceListEntries;
        }
    }

    // Stored figures that follow the bills.
    db.executeScript(QStringLiteral(R"SQL(
UPDATE tbl_StoreMgr SET ProductStockCount = printf('%.2f',
    (SELECT TOTAL(CASE BillType WHEN '进货单' THEN CAST(ProductAmount AS REAL)
                               WHEN '退货单' THEN -CAST(ProductAmount AS REAL) END)
       FROM tbl_goodsbill_shipment_provider l
      WHERE l.ProductName = tbl_StoreMgr.ProductName AND l.ProductCode = tbl_StoreMgr.ProductCode
        AND l.ProductSpec = tbl_StoreMgr.ProductSpec)
  - (SELECT TOTAL(CASE BillType WHEN '出货单' THEN CAST(ProductAmount AS REAL)
                               WHEN '退货单' THEN -CAST(ProductAmount AS REAL) END)
       FROM tbl_GoodsBill_shipment l
      WHERE l.ProductName = tbl_StoreMgr.ProductName AND l.ProductCode = tbl_StoreMgr.ProductCode
        AND l.ProductSpec = tbl_StoreMgr.ProductSpec));
UPDATE tbl_clientmgr SET
    ProductPriceSum = printf('%.2f', (SELECT TOTAL(CASE BillType WHEN '出货单' THEN CAST(ProductPrice AS REAL)
        WHEN '退货单' THEN -CAST(ProductPrice AS REAL) END) FROM tbl_GoodsBill_shipment WHERE CompanyName = ClientName)),
    SumIncome = printf('%.2f', (SELECT TOTAL(CAST(MoneyCount AS REAL)) FROM tbl_FinanceBill_income f
        WHERE f.ClientName = tbl_clientmgr.ClientName AND BillType = '收入单')),
    PayoutIncome = printf('%.2f', (SELECT TOTAL(CAST(MoneyCount AS REAL)) FROM tbl_FinanceBill_income f
        WHERE f.ClientName = tbl_clientmgr.ClientName AND BillType = '支出单'));
UPDATE tbl_clientmgr SET ClientSumArrears = printf('%.2f', CAST(BeginArrears AS REAL)
    + CAST(ProductPriceSum AS REAL) - CAST(SumIncome AS REAL) + CAST(PayoutIncome AS REAL));
UPDATE tbl_ProviderMgr SET
    ProductPriceSum = printf('%.2f', (SELECT TOTAL(CASE BillType WHEN '进货单' THEN CAST(ProductPrice AS REAL)
        WHEN '退货单' THEN -CAST(ProductPrice AS REAL) END) FROM tbl_goodsbill_shipment_provider
        WHERE CompanyName = ProviderName)),
    SumIncome = printf('%.2f', (SELECT TOTAL(CAST(MoneyCount AS REAL)) FROM tbl_FinanceBill_income_provider f
        WHERE f.ClientName = tbl_ProviderMgr.ProviderName AND BillType = '收入单')),
    PayoutIncome = printf('%.2f', (SELECT TOTAL(CAST(MoneyCount AS REAL)) FROM tbl_FinanceBill_income_provider f
        WHERE f.ClientName = tbl_ProviderMgr.ProviderName AND BillType = '支出单'));
UPDATE tbl_ProviderMgr SET ClientSumArrears = printf('%.2f', CAST(BeginArrears AS REAL)
    + CAST(ProductPriceSum AS REAL) - CAST(PayoutIncome AS REAL) + CAST(SumIncome AS REAL));
)SQL"));
    // Account balances: income less payout over both sides, in all and in
    // the last month.
    {
        Statement update = db.prepare(
            "UPDATE tbl_AccountMgr SET AccountBalance = printf('%.2f', (SELECT TOTAL(CASE BillType WHEN '收入单' "
            "THEN CAST(MoneyCount AS REAL) ELSE -CAST(MoneyCount AS REAL) END) FROM (SELECT * FROM "
            "tbl_FinanceBill_income UNION ALL SELECT * FROM tbl_FinanceBill_income_provider) f WHERE f.AccountName = "
            "tbl_AccountMgr.AccountName)), MonthBalance = printf('%.2f', (SELECT TOTAL(CASE BillType WHEN '收入单' "
            "THEN CAST(MoneyCount AS REAL) ELSE -CAST(MoneyCount AS REAL) END) FROM (SELECT * FROM "
            "tbl_FinanceBill_income UNION ALL SELECT * FROM tbl_FinanceBill_income_provider) f WHERE f.AccountName = "
            "tbl_AccountMgr.AccountName AND f.InputDate BETWEEN ? AND ?))");
        update.bindAll(MonthFirstDay(DateText(profile.lastDay)), MonthLastDay(DateText(profile.lastDay)));
        update.run();
    }
    transaction.commit();
    return summary;
}

ShopSummary WriteShopDatabase(const QString &path, const ShopProfile &profile)
{
    if (QFile::exists(path))
        throw std::invalid_argument("the shop's database file exists already");
    Database db(path, Database::OpenMode::Create);
    CreateSchema(db);
    return GenerateShop(db, profile);
}
