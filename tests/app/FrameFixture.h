#pragma once

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "CDlgFunctionSelDlg.h"
#include "CDlgMainDlg.h"
#include "ClickSupport.h"
#include "FrameTestSupport.h"
#include "GlobalFunctions.h"
#include "TestDatabase.h"

// The two top-level windows over a fresh database, wired as at start-up;
// the menu goes first, then the main window, which unhooks the working date.
class FrameFixture
{
public:
    FrameFixture()
        : mainDlg(std::make_unique<CDlgMainDlg>())
        , menu(std::make_unique<CDlgFunctionSelDlg>())
    {
        menu->SetMainDlg(mainDlg.get());
        mainDlg->SetFunctionMenu(menu.get());
        menu->show();
    }

    QPushButton* menuButton(const char* id) const { return menu->findChild<QPushButton*>(QString::fromLatin1(id)); }
    QPushButton* mainButton(const char* id) const { return mainDlg->findChild<QPushButton*>(QString::fromLatin1(id)); }
    QDateEdit* datePicker() const { return mainDlg->findChild<QDateEdit*>(QStringLiteral("1007")); }

    // Queues the password prompt's answer: the text is typed and 确定
    // pressed, or 取消 when cancel is set.
    void answerPrompt(const QString& typed, bool cancel = false)
    {
        user.onNextModal([typed, cancel](QDialog* dialog) {
            typeText(dialog->findChild<QLineEdit*>(QStringLiteral("1278")), typed);
            clickButton(dialog, cancel ? "1277" : "1276");
            return dialog->result();
        });
    }
    void loginAsSupervisor(const QString& password = QString())
    {
        answerPrompt(password);
        QTest::mouseClick(menuButton("1015"), Qt::LeftButton);
    }

    RecordingUser user;
    TestDatabase db;
    std::unique_ptr<CDlgMainDlg> mainDlg;
    std::unique_ptr<CDlgFunctionSelDlg> menu;
};
