#pragma once

#include <QString>

class QWidget;

// The goods bill editor's way to the finance bill editor for a bill's
// deposit. The real one runs CDlgNewIncomeBill; tests install a scripted
// one that writes a real finance row.
class DepositEditor
{
public:
    struct Request
    {
        // The finance bill mode: 20/21 (sales, new), 22/23 (sales, existing),
        // 17/16 (purchase, new), 19/18 (purchase, existing).
        int mode = 0;
        // New: the goods bill's company and code, for the blank record.
        QString companyName;
        QString goodsBillCode;
        // Existing: the GUID of the deposit finance bill to open.
        QString depositGuid;
    };
    struct Result
    {
        // True only when the finance editor ended with 1 after a save.
        bool saved = false;
        QString guid;
        QString amount; // the saved bill's MoneyCount text
    };

    virtual ~DepositEditor() = default;
    virtual Result Edit(QWidget *parent, const Request &request) = 0;

    // The editor the goods bill editor uses; null until the program (or a
    // test) installs one. The caller keeps ownership.
    static DepositEditor *current();
    static void install(DepositEditor *editor);

protected:
    DepositEditor() = default;
    DepositEditor(const DepositEditor &) = default;
    DepositEditor &operator=(const DepositEditor &) = default;
};
