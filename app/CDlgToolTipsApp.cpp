#include "CDlgToolTipsApp.h"

#include "CDlgFunctionSelDlg.h"
#include "CDlgMainDlg.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "Interaction.h"
#include "ProgramDatabase.h"

CDlgToolTipsApp::CDlgToolTipsApp() = default;

CDlgToolTipsApp::~CDlgToolTipsApp()
{
    // Windows first: their pages may still reach the database.
    m_functionMenu.reset();
    m_mainDlg.reset();
    if (g_pConnection == m_database.get())
        g_pConnection = nullptr;
    m_database.reset();
}

bool CDlgToolTipsApp::InitInstance(const QString &programFolder)
{
    InitAppResources();
    QString error;
    m_database = OpenProgramDatabase(programFolder, &error);
    if (!m_database) {
        Interaction::current().error(nullptr, kAppTitle, error);
        return false;
    }
    g_pConnection = m_database.get();

    m_mainDlg = std::make_unique<CDlgMainDlg>();
    g_pMainDlg = m_mainDlg.get();
    SetMessageOwner(m_mainDlg.get());
    m_functionMenu = std::make_unique<CDlgFunctionSelDlg>();
    m_functionMenu->SetMainDlg(m_mainDlg.get());
    m_mainDlg->SetFunctionMenu(m_functionMenu.get());
    m_functionMenu->show();
    return true;
}
