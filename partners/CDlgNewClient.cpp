#include "CDlgNewClient.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "NumberCheck.h"
#include "PageWidgets.h"
#include "PartyPage.h"
#include "PartyWidgets.h"
#include "TypedLength.h"

namespace {

struct FieldSpec
{
    const char *id;
    const char *label;
    int maxLength;
    QString struct_button_data::*field;
};

using Party = struct_button_data;
// In the order the completeness check looks at them.
const FieldSpec kFields[] = {
    {"1065", "客户名称：", 20, &Party::ClientName},
    {"1053", "联系人：", 20, &Party::ContactName},
    {"1055", "起初欠款：", 12, &Party::BeginArrears},
    {"1056", "电话：", 40, &Party::Tel},
    {"1057", "手机：", 40, &Party::Mobile},
    {"1058", "传真：", 40, &Party::Fax},
    {"1059", "网址：", 230, &Party::Web},
    {"1060", "E-Mail：", 40, &Party::Email},
    {"1061", "QQ/MSN：", 30, &Party::QQ},
    {"1062", "地址：", 230, &Party::Address},
    {"1063", "备注：", 230, &Party::Remark},
};
constexpr std::size_t kNameField = 0;
constexpr std::size_t kArrearsField = 2;

// The area buttons in the order of their codes "1", "2", "3".
const char *const kAreaIds[] = {"1066", "1068", "1067"};
const char *const kAreaWords[] = {"本地", "省内", "其它"};

} // namespace

CDlgNewClient::CDlgNewClient(QWidget *parent)
    : QDialog(parent)
{
    InitPartyResources();
    setWindowTitle(QStringLiteral("客户资料输入"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));

    auto *layout = new QGridLayout(this);
    int row = 0;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const FieldSpec &spec = kFields[i];
        auto *label = new QLabel(QString::fromUtf8(spec.label), this);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(spec.id));
        LimitTypedLength(edit, spec.maxLength);
        m_edits[i] = edit;
        if (i == kNameField) {
            label->setObjectName(QStringLiteral("1423"));
            m_nameLabel = label;
        }
        layout->addWidget(label, row, 0);
        layout->addWidget(edit, row, 1);
        ++row;
        if (i == 1) {
            // The area follows the contact.
            m_areaLabel = MakeIdLabel(this, "1424", QStringLiteral("客户地区："));
            auto *areas = new QHBoxLayout;
            for (std::size_t a = 0; a < m_areas.size(); ++a) {
                auto *button = new QRadioButton(QString::fromUtf8(kAreaWords[a]), this);
                button->setObjectName(QString::fromLatin1(kAreaIds[a]));
                // Exclusive by hand: a changed party whose stored area is no
                // known code shows none of the three selected.
                button->setAutoExclusive(false);
                connect(button, &QRadioButton::clicked, this, [this, button] { OnAreaClicked(button); });
                m_areas[a] = button;
                areas->addWidget(button);
            }
            areas->addStretch();
            layout->addWidget(m_areaLabel, row, 0);
            layout->addLayout(areas, row, 1);
            ++row;
        }
    }
    layout->setColumnMinimumWidth(1, 300);

    ImageButton *ok = MakePictureButton(this, "1064", QStringLiteral("确定"), QStringLiteral(":/images/bmp130.svg"));
    ImageButton *cancel
        = MakePictureButton(this, "1052", QStringLiteral("取消"), QStringLiteral(":/images/bmp129.svg"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, row, 0, 1, 2);

    connect(ok, &QPushButton::clicked, this, &CDlgNewClient::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CDlgNewClient::reject);
    SetMode(ClientEditNewClient);
}

int CDlgNewClient::SetMode(int mode)
{
    m_nMode = mode;
    const bool provider = IsProviderMode();
    if (provider)
        setWindowTitle(mode == ClientEditNewProvider ? QStringLiteral("新增供应商") : QStringLiteral("修改供应商"));
    else
        setWindowTitle(QStringLiteral("客户资料输入"));
    m_nameLabel->setText(provider ? QStringLiteral("供应商名称：") : QStringLiteral("客户名称："));
    m_areaLabel->setText(provider ? QStringLiteral("供应商地区：") : QStringLiteral("客户地区："));
    if (IsNewMode())
        SelectArea(QStringLiteral("1"));
    return 1;
}

int CDlgNewClient::SetClientPage(CDlgTabClient *page)
{
    return SetPage(page);
}

int CDlgNewClient::SetProviderPage(CDlgTabProviderMgr *page)
{
    return SetPage(page);
}

int CDlgNewClient::SetPage(PartyPage *page)
{
    m_pPage = page;
    return 1;
}

int CDlgNewClient::SetClientButton(CBCGPDataButton *button)
{
    m_pClientButton = button;
    return 1;
}

int CDlgNewClient::SetProviderButton(CBCGPProviderButton *button)
{
    m_pProviderButton = button;
    return 1;
}

int CDlgNewClient::SetRecord(const struct_button_data &record)
{
    m_record = record;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(record.*kFields[i].field);
    SelectArea(record.ClientArea);
    return 1;
}

void CDlgNewClient::SelectArea(const QString &code)
{
    // A code other than the three selects none, and a save without a
    // choice stores no area.
    m_strArea.clear();
    for (std::size_t a = 0; a < m_areas.size(); ++a) {
        const bool chosen = code == QString::number(a + 1);
        m_areas[a]->setChecked(chosen);
        if (chosen)
            m_strArea = code;
    }
}

void CDlgNewClient::OnAreaClicked(QRadioButton *clicked)
{
    for (std::size_t a = 0; a < m_areas.size(); ++a) {
        if (m_areas[a] == clicked)
            SelectArea(QString::number(a + 1));
    }
}

void CDlgNewClient::OnOk()
{
    struct_button_data party;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        party.*kFields[i].field = m_edits[i]->text();
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        if ((party.*kFields[i].field).isEmpty()) {
            ShowInfoMessage(QStringLiteral("请填写完整信息。"));
            return;
        }
    }
    const std::optional<QString> arrears = ParseTypedNumber(party.BeginArrears, NumberRule{true, false});
    if (!arrears) {
        ShowInfoMessage(QStringLiteral("起初欠款必须是数字，请重新输入。"));
        m_edits[kArrearsField]->setFocus();
        return;
    }
    party.BeginArrears = *arrears;
    party.Loan = *arrears;
    party.ClientArea = m_strArea;

    const QString word = IsProviderMode() ? QStringLiteral("供应商") : QStringLiteral("客户");
    PartyPage *page = m_pPage;
    if (!page) {
        ShowErrorMessage(QStringLiteral("找不到%1管理页面，资料没有保存。").arg(word));
        return;
    }
    if (IsNewMode()) {
        party.GUID = GuidText();
        party.ProductPriceSum = party.PayoutIncome = party.SumIncome = party.ClientSumArrears = QStringLiteral("0");
        // The page says why a write failed; the dialog stays open.
        if (!page->AddParty(party))
            return;
        ShowInfoMessage(QStringLiteral("新增%1成功。").arg(word));
        done(1);
        return;
    }

    // The key is the opened party's; the stored totals are not the
    // dialog's to change.
    party.GUID = m_record.GUID;
    if (!page->UpdateParty(party))
        return;
    if (m_pClientButton && !IsProviderMode())
        m_pClientButton->RefreshRecord(party);
    if (m_pProviderButton && IsProviderMode())
        m_pProviderButton->RefreshRecord(ToProviderLayout(party));
    ShowInfoMessage(QStringLiteral("修改%1成功。").arg(word));
    done(2);
}
