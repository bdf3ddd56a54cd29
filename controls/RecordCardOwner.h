#pragma once

#include "RecordTypes.h"

// What a record card asks of the page (or picker) that made it. A page
// derives from the owner interface of its card kind (the aliases in
// RecordButtons.h) and fills in the dialog calls of its own subsystem.
//
// The card calls these on the GUI thread from its mouse handlers; an open
// runs the record's dialog modally inside the call, so the page must keep
// the card alive until it returns (the pages keep their pool for their
// lifetime).
template<typename Card, typename Record>
class RecordCardOwner
{
public:
    virtual ~RecordCardOwner() = default;

    // Gives every card of the page, shown or hidden, the plain face
    // (RecordCard::ResetFaceColor). A card calls it when the mouse leaves it.
    virtual void ResetCardFaces() = 0;
    // Opens the dialog of the card's record (card.GetRecord()) in the given
    // mode and answers the dialog's result; the card repaints itself on 1.
    // A bill card whose bill type is neither of its side's kinds never calls
    // it.
    virtual int OpenCardRecord(Card &card, int mode) = 0;
    // Deletes the record (for a goods bill: every line of its GUID); true
    // when it is gone. The card hides itself only then.
    virtual bool DeleteCardRecord(const Record &record) = 0;

protected:
    RecordCardOwner() = default;
    RecordCardOwner(const RecordCardOwner &) = default;
    RecordCardOwner &operator=(const RecordCardOwner &) = default;
};

// The product and variant pickers: a press on an entry chooses it;
// the picker keeps what it needs of the product and ends with 1.
class ProductPickerOwner
{
public:
    virtual ~ProductPickerOwner() = default;
    virtual void PickCardRecord(const struct_button_storeproduct &product) = 0;

protected:
    ProductPickerOwner() = default;
    ProductPickerOwner(const ProductPickerOwner &) = default;
    ProductPickerOwner &operator=(const ProductPickerOwner &) = default;
};
