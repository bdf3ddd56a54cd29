#pragma once

#include "CardContent.h"
#include "RecordCard.h"
#include "RecordCardOwner.h"
#include "RecordTypes.h"

// The ten record cards. They are one design: TypedRecordCard holds the
// record and the owner page and does what every card does; the classes
// below only name the record kind. They share this one header because each
// class is a single line.

// A card that shows one record of type Record_ for an owner of type Owner_.
template<typename Derived, typename Record_, typename Owner_ = RecordCardOwner<Derived, Record_>>
class TypedRecordCard : public RecordCard
{
public:
    using Record = Record_;
    using Owner = Owner_;

    explicit TypedRecordCard(QWidget *parent = nullptr)
        : RecordCard(parent)
    {
    }

    // Takes the whole record.
    int SetRecord(const Record &record)
    {
        m_record = record;
        update();
        return 1;
    }
    // Takes the fields a refreshed record brings (UpdateCopy), shows the
    // card and repaints it.
    int UpdateRecord(const Record &record)
    {
        UpdateCopy(m_record, record);
        show();
        update();
        return 1;
    }
    // Parties and finance bills: the lighter copy (RefreshCopy), repainted
    // without changing whether the card is shown.
    int RefreshRecord(const Record &record)
    {
        RefreshCopy(m_record, record);
        update();
        return 1;
    }
    // The record inside the card; dialogs may change it in place.
    Record *GetRecord() { return &m_record; }
    const Record &record() const { return m_record; }

    int SetOwner(Owner *owner)
    {
        m_owner = owner;
        return 1;
    }
    Owner *owner() const { return m_owner; }

    // Called by the record's dialog after the user confirmed a delete: the
    // owner deletes the record, and only when that succeeded does the card
    // hide itself (unless the page has meanwhile refilled it with another
    // record). Answers whether the record was deleted.
    bool RemoveRecordButton()
    {
        if (!m_owner)
            return false;
        // The page may refill this very card while it deletes.
        const Record deleted = m_record;
        if (!m_owner->DeleteCardRecord(deleted))
            return false;
        if (m_record == deleted)
            hide();
        return true;
    }

    CardContent content() const override { return ContentOf(m_record); }

protected:
    void resetOwnerFaces() override
    {
        if (m_owner)
            m_owner->ResetCardFaces();
    }

    void openRecord() override
    {
        const auto mode = EditModeFor(m_record);
        if (!m_owner || !mode)
            return;
        if (m_owner->OpenCardRecord(static_cast<Derived &>(*this), *mode) == 1)
            update();
    }

private:
    Record m_record;
    Owner *m_owner = nullptr;
};

// A picker entry: no hover colour; a press chooses the product.
template<CardContent (*Content)(const struct_button_storeproduct &)>
class PickerEntryCard : public RecordCard
{
public:
    using Record = struct_button_storeproduct;
    using Owner = ProductPickerOwner;

    explicit PickerEntryCard(QWidget *parent = nullptr)
        : RecordCard(parent)
    {
    }

    int SetRecord(const Record &record)
    {
        m_record = record;
        update();
        return 1;
    }
    int UpdateRecord(const Record &record)
    {
        UpdateCopy(m_record, record);
        show();
        update();
        return 1;
    }
    int GetRecord(Record &out) const
    {
        out = m_record;
        return 1;
    }
    const Record &record() const { return m_record; }

    int SetOwner(Owner *owner)
    {
        m_owner = owner;
        return 1;
    }
    Owner *owner() const { return m_owner; }

    CardContent content() const override { return Content(m_record); }

protected:
    bool choosesOnPress() const override { return true; }
    void choose() override
    {
        if (m_owner)
            m_owner->PickCardRecord(m_record);
    }

private:
    Record m_record;
    Owner *m_owner = nullptr;
};

class CBCGPGoodsBillButton final : public TypedRecordCard<CBCGPGoodsBillButton, struct_button_goodsbill>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPProviderGoodsBillButton final
    : public TypedRecordCard<CBCGPProviderGoodsBillButton, struct_button_provider_goodsbill>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPFinanceBillButton final : public TypedRecordCard<CBCGPFinanceBillButton, struct_button_financebill>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPFinanceBillButton_Provider final
    : public TypedRecordCard<CBCGPFinanceBillButton_Provider, struct_button_financebill_provider>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPDataButton final : public TypedRecordCard<CBCGPDataButton, struct_button_data>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPProviderButton final : public TypedRecordCard<CBCGPProviderButton, struct_button_provider>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPAccountMgrButton final : public TypedRecordCard<CBCGPAccountMgrButton, struct_button_account>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPStoreMgrButton final : public TypedRecordCard<CBCGPStoreMgrButton, struct_button_storeproduct>
{
public:
    using TypedRecordCard::TypedRecordCard;
};

class CBCGPSelProductButton final : public PickerEntryCard<&ProductPickerContent>
{
public:
    using PickerEntryCard::PickerEntryCard;
};

class CBCGPSelProductSpecButton final : public PickerEntryCard<&SpecPickerContent>
{
public:
    using PickerEntryCard::PickerEntryCard;
};

// The interfaces the pages implement for their cards.
using GoodsBillButtonOwner = RecordCardOwner<CBCGPGoodsBillButton, struct_button_goodsbill>;
using ProviderGoodsBillButtonOwner = RecordCardOwner<CBCGPProviderGoodsBillButton, struct_button_provider_goodsbill>;
// A finance page deletes a bill and recomputes the figures it fed in one
// transaction, so its cards do nothing after a delete but hide.
using FinanceBillButtonOwner = RecordCardOwner<CBCGPFinanceBillButton, struct_button_financebill>;
using ProviderFinanceBillButtonOwner =
    RecordCardOwner<CBCGPFinanceBillButton_Provider, struct_button_financebill_provider>;
using ClientButtonOwner = RecordCardOwner<CBCGPDataButton, struct_button_data>;
using ProviderButtonOwner = RecordCardOwner<CBCGPProviderButton, struct_button_provider>;
using AccountButtonOwner = RecordCardOwner<CBCGPAccountMgrButton, struct_button_account>;
using StoreButtonOwner = RecordCardOwner<CBCGPStoreMgrButton, struct_button_storeproduct>;
