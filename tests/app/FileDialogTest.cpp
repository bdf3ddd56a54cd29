// The real file dialogs of backup, restore and the report's PDF: whatever
// the desktop's language, dates, sizes and types in the program's forms in
// columns as wide as their texts; the offered folder, name and filters
// kept; the chosen file answered, and only an existing one when opening.

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "Interaction.h"
#include "QStringPrinting.h"

namespace {

const QString kFilter = QStringLiteral("Mdb Files (*.mdb);;All Files (*)");
const QString kBackup = QStringLiteral("汀岑进销存2024-12-7.mdb");

// A backup of 1.5 KB last written at 2024-12-07 08:44:02 local time, and a
// folder beside it.
bool makeFolder(const QTemporaryDir& folder)
{
    QFile file(QDir(folder.path()).filePath(kBackup));
    return file.open(QIODevice::ReadWrite) && file.write(QByteArray(1536, 'x')) == 1536 && file.flush()
        && file.setFileTime(QDateTime(QDate(2024, 12, 7), QTime(8, 44, 2)), QFileDevice::FileModificationTime)
        && QDir(folder.path()).mkdir(QStringLiteral("旧备份"));
}

QModelIndex rowNamed(const QTreeView* view, const QString& name)
{
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        const QModelIndex index = model->index(row, 0, view->rootIndex());
        if (index.data().toString() == name)
            return index;
    }
    return {};
}

// The size, type and date texts of the row that do not fit their columns
// as the view draws them, with the item's margins on both sides, or whose
// columns reach past the view's right edge.
QStringList clippedTexts(const QTreeView* view, const QModelIndex& row)
{
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    QStringList clipped;
    for (int column = 1; column <= 3; ++column) {
        const QString text = row.siblingAtColumn(column).data().toString();
        const int width = view->columnWidth(column);
        if (view->fontMetrics().horizontalAdvance(text) + margins > width
            || view->columnViewportPosition(column) + width > view->viewport()->width())
            clipped
                << QStringLiteral("%1 (%2 px at %3)").arg(text).arg(width).arg(view->columnViewportPosition(column));
    }
    return clipped;
}

// The file dialog in front, checked once the folder is read and its
// columns are fitted; on a failure, whatever is in front is closed so that
// the test goes on.
QFileDialog* checkedDialog(const QTemporaryDir& folder, const char* desktop)
{
    QWidget* front = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QFileDialog*>(front);
    auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
    // The rows come from a reading thread; the checks below tell what did
    // not come.
    (void)QTest::qWaitFor([&] {
        return view && rowNamed(view, QStringLiteral("旧备份")).isValid()
            && clippedTexts(view, rowNamed(view, kBackup)).isEmpty();
    });
    const QModelIndex file = view ? rowNamed(view, kBackup) : QModelIndex();
    const QModelIndex subfolder = view ? rowNamed(view, QStringLiteral("旧备份")) : QModelIndex();
    if (!view || !view->isVisible() || !file.isValid() || !subfolder.isValid()) {
        ADD_FAILURE() << "no file dialog in front listing the folder in detail under " << desktop;
        if (front)
            front->close();
        return nullptr;
    }
    EXPECT_EQ(dialog->directory(), QDir(folder.path())) << desktop;
    EXPECT_EQ(dialog->nameFilters(), kFilter.split(QStringLiteral(";;"))) << desktop;
    EXPECT_EQ(file.siblingAtColumn(3).data().toString(), QStringLiteral("2024-12-07 08:44:02")) << desktop;
    EXPECT_EQ(file.siblingAtColumn(1).data().toString(), QStringLiteral("1.5 kB")) << desktop;
    EXPECT_EQ(file.siblingAtColumn(2).data().toString(), QStringLiteral("MDB 文件")) << desktop;
    EXPECT_EQ(subfolder.siblingAtColumn(2).data().toString(), QStringLiteral("文件夹")) << desktop;
    EXPECT_EQ(clippedTexts(view, file), QStringList()) << desktop;
    // A narrower dialog narrows the names, not the rest.
    dialog->resize(dialog->width() - 100, dialog->height());
    EXPECT_TRUE(QTest::qWaitFor([&] { return clippedTexts(view, file).isEmpty(); }))
        << clippedTexts(view, file).join('|').toStdString();
    dialog->resize(dialog->width() + 100, dialog->height());
    return dialog;
}

void clickButton(QFileDialog* dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (QPushButton* button = buttons ? buttons->button(which) : nullptr)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        ADD_FAILURE() << "no button " << which;
}

} // namespace

TEST(FileDialog, ShowsTheProgramsDatesSizesAndTypesInWholeColumnsAndAnswersTheChosenFile)
{
    // Qt's dialog keeps its column widths in the user's settings; the test
    // starts from none and leaves the user's as they are.
    QTemporaryDir settings;
    QTemporaryDir folder;
    ASSERT_TRUE(makeFolder(folder));
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    const QString backup = QDir(folder.path()).filePath(kBackup);
    const QLocale previous;
    for (const QLocale& locale :
        {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(locale);
        const std::string desktop = locale.name().toStdString();

        // Saving offers the folder and the name; the name is answered.
        QTimer::singleShot(0, [&] {
            if (QFileDialog* dialog = checkedDialog(folder, desktop.c_str()))
                clickButton(dialog, QDialogButtonBox::Save);
        });
        const QString fresh = QDir(folder.path()).filePath(QStringLiteral("汀岑进销存2024-12-8.mdb"));
        EXPECT_EQ(DesktopInteraction().saveFileName(nullptr, QStringLiteral("备份数据"), fresh, kFilter), fresh);

        // Opening starts in the folder and offers existing files only: a
        // name typed that names none is not taken. The selected file is
        // answered.
        QTimer::singleShot(0, [&] {
            QFileDialog* dialog = checkedDialog(folder, desktop.c_str());
            if (!dialog)
                return;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QStringLiteral("missing.mdb"));
            clickButton(dialog, QDialogButtonBox::Open);
            if (!dialog->isVisible())
                return;
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(rowNamed(view, kBackup)).center());
            clickButton(dialog, QDialogButtonBox::Open);
        });
        EXPECT_EQ(
            DesktopInteraction().openFileName(nullptr, QStringLiteral("恢复数据"), folder.path(), kFilter), backup);
    }
    QLocale::setDefault(previous);
    if (configHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configHome);
}
