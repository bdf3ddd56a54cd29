#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

#include "RecordTypes.h"

// What a record card shows, worked out from its record without any widget:
// icon, kind word, colour and the labelled values with the places they are
// drawn in (coordinates relative to the card). The cards paint exactly this.

// Icon resource ids of the cards.
enum CardIcon : int {
    kIconNone = 0,
    kIconEmptyBox = 176,     // empty stock or balance, region 其它
    kIconProductFolder = 265,
    kIconFinanceFolder = 266,
    kIconGoodsFolder = 268,
    kIconPartyFolder = 269,
    kIconAccountFolder = 279,
    kIconPickerEntry = 281,
    kIconProgram = 128,
};

inline const QColor kCardBlue{0, 0, 255};
inline const QColor kCardRed{255, 0, 0};
inline const QColor kCardLabelColor{0, 0, 0};
inline const QColor kCardHoverFace{166, 202, 240};
inline const QColor kCardPlainFace{240, 240, 240};

// A rectangle given by its left, top, right and bottom edges.
constexpr QRect EdgeRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

struct CardRow
{
    QString label; // black, centred across its rectangle
    QRect labelRect;
    QString value; // card colour, from the left of its rectangle
    QRect valueRect;
};

struct CardContent
{
    int icon = kIconNone;
    QPoint iconPos{10, 10};
    bool isRed = false;
    QString kindWord; // empty: none drawn
    QRect kindRect = EdgeRect(5, 50, 50, 70);
    std::vector<CardRow> rows;
    // Picker entries show one centred text in the card colour instead of the
    // kind word and rows.
    QString title;
    QRect titleRect;

    QColor cardColor() const { return isRed ? kCardRed : kCardBlue; }
};

// An amount as stored ("0" when empty), never reformatted, followed by " 元".
QString AmountText(const QString &stored);
// A stock count as the store holds it, read as StrToDouble reads it (0
// when the text holds no number): a whole count without decimals ("20" for
// "20.00"), any other with its two ("5.50", "-0.50").
QString CountText(const QString &stored);
// The region word of an area code: "1" 本地, "2" 省内, "3" 其它; any other
// text is shown as it is.
QString AreaWord(const QString &areaCode);

CardContent ContentOf(const struct_button_goodsbill &line);
CardContent ContentOf(const struct_button_provider_goodsbill &line);
CardContent ContentOf(const struct_button_financebill &bill);
CardContent ContentOf(const struct_button_financebill_provider &bill);
CardContent ContentOf(const struct_button_data &client);
CardContent ContentOf(const struct_button_provider &provider);
CardContent ContentOf(const struct_button_account &account);
// The store card.
CardContent ContentOf(const struct_button_storeproduct &product);
// The two picker entries: the product's name or its variant.
CardContent ProductPickerContent(const struct_button_storeproduct &product);
CardContent SpecPickerContent(const struct_button_storeproduct &product);

// The editor mode a bill card opens its bill in, or nothing for a bill type
// that is neither of the side's two kinds: such a bill is not opened at all,
// since an editor without a mode would save into the wrong table.
// Goods bills: 2/3 for 出货单/退货单, 12/13 for 进货单/退货单.
std::optional<int> EditModeFor(const struct_button_goodsbill &line);
std::optional<int> EditModeFor(const struct_button_provider_goodsbill &line);
// Finance bills: 2/3 (12/13 on the purchase side) for 收入单/支出单.
std::optional<int> EditModeFor(const struct_button_financebill &bill);
std::optional<int> EditModeFor(const struct_button_financebill_provider &bill);
// The other cards always open their dialog: the detail window in mode 0
// (client) or 1 (provider), the product dialog in mode 1, the account
// detail (no mode, 0).
std::optional<int> EditModeFor(const struct_button_data &client);
std::optional<int> EditModeFor(const struct_button_provider &provider);
std::optional<int> EditModeFor(const struct_button_storeproduct &product);
std::optional<int> EditModeFor(const struct_button_account &account);

