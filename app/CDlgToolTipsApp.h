#pragma once

#include <QString>

#include <memory>

class Database;
class CDlgMainDlg;
class CDlgFunctionSelDlg;

// The application: opens the database and creates the two top-level
// windows. Qt's event loop is the program's loop; it ends when the main
// window is closed, or when the menu is closed before the main window was
// ever shown.
class CDlgToolTipsApp
{
public:
    CDlgToolTipsApp();
    ~CDlgToolTipsApp();

    // Opens the database from the program folder's copy when needed and
    // shows the function menu. False (after telling the user) when the
    // database cannot be used; no window is then left.
    bool InitInstance(const QString &programFolder);

    CDlgMainDlg *MainDlg() const { return m_mainDlg.get(); }
    CDlgFunctionSelDlg *FunctionMenu() const { return m_functionMenu.get(); }

private:
    std::unique_ptr<Database> m_database;
    std::unique_ptr<CDlgMainDlg> m_mainDlg;
    std::unique_ptr<CDlgFunctionSelDlg> m_functionMenu;
};
