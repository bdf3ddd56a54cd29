#include "ParameterList.h"

const ParameterList &ParameterList::IncomePayTypes()
{
    static const ParameterList list{
        .kind = IncomePayTypeList,
        .table = "tbl_IncomePayType",
        .nameColumn = "IncomeTypeName",
        .listId = "1227",
        .newId = "1231",
        .modifyId = "1217",
        .deleteId = "1218",
        .heading = QStringLiteral("收支种类"),
        .columnTitle = QStringLiteral("收支类型"),
        .editId = "1236",
        .okId = "1244",
        .cancelId = "1245",
        .prompt = QStringLiteral("请输入收支种类的名称"),
        .emptyNameMessage = QStringLiteral("请输入 ‘收支种类’。"),
    };
    return list;
}

const ParameterList &ParameterList::MoneyTypes()
{
    static const ParameterList list{
        .kind = MoneyTypeList,
        .table = "tbl_MoneyType",
        .nameColumn = "MoneyType",
        .listId = "1215",
        .newId = "1106",
        .modifyId = "1219",
        .deleteId = "1220",
        .heading = QStringLiteral("款项类别"),
        .columnTitle = QStringLiteral("款项类别"),
        .editId = "1243",
        .okId = "1241",
        .cancelId = "1242",
        .prompt = QStringLiteral("请输入款项类别的名称"),
        .emptyNameMessage = QStringLiteral("请输入 ‘款项类别’。"),
    };
    return list;
}

const ParameterList &ParameterList::Vouchers()
{
    static const ParameterList list{
        .kind = VoucherList,
        .table = "tbl_Voucher",
        .nameColumn = "VoucherName",
        .listId = "1216",
        .newId = "1107",
        .modifyId = "1221",
        .deleteId = "1222",
        .heading = QStringLiteral("凭证"),
        .columnTitle = QStringLiteral("凭证"),
        .editId = "1248",
        .okId = "1246",
        .cancelId = "1247",
        .prompt = QStringLiteral("请输入凭证的名称"),
        .emptyNameMessage = QStringLiteral("请输入 ‘凭证名称’。"),
    };
    return list;
}

const ParameterList &ParameterList::For(ParameterListKind kind)
{
    switch (kind) {
    case MoneyTypeList:
        return MoneyTypes();
    case VoucherList:
        return Vouchers();
    case IncomePayTypeList:
        break;
    }
    return IncomePayTypes();
}

std::array<const ParameterList *, 3> ParameterList::All()
{
    return {&IncomePayTypes(), &MoneyTypes(), &Vouchers()};
}
