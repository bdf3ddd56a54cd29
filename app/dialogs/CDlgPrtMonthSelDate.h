#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QDateEdit;
class QPushButton;

// A period as the period dialog hands it back: two date texts
// "%04d-%02d-%02d" and the include-zero flag (1 ticked, else 0).
struct PeriodRange
{
    QString StartDate;
    QString EndDate;
    int IncludeZero = 0;
};

// The period dialog "选择时间段": asks for a start and an end date before a
// page prints a report over a period. The caller presets both dates, runs
// it modally (1 确定, 0 取消, 2 close box or Escape) and reads the result.
// Whatever the desktop's date format, the dates come back as
// "%04d-%02d-%02d": the callers compare them with stored date texts.
class CDlgPrtMonthSelDate : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgPrtMonthSelDate(QWidget *parent = nullptr);

    // Stored for the caller; the dialog does not use it.
    void SetOwnerPage(QWidget *page);
    QWidget *ownerPage() const { return m_ownerPage; }
    // Preset dates as "%04d-%02d-%02d" texts. A text that is no date shows
    // the working date in its picker.
    int SetDateRange(const QString &start, const QString &end);
    // 1 hides the check box "包含进出数量为 0 的商品".
    int SetHideZeroOption(int hide);
    int GetResult(PeriodRange &result) const;

    // 确定: takes the dates and the flag, ends with 1.
    void accept() override;
    // The close box and Escape end with 2.
    void reject() override;

private:
    void cancel();

    QWidget *m_ownerPage = nullptr;
    QString m_start;
    QString m_end;
    int m_includeZero = 0;
    QDateEdit *m_startEdit;
    QDateEdit *m_endEdit;
    QCheckBox *m_includeZeroBox;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};
