#include "FileDialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTreeView>

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, DateColumn };

// The folder's list as the dialog's views show it. QFileSystemModel words
// sizes and dates in the desktop's language and types as the desktop's
// file-type names; these texts are the program's own instead.
class FileListTexts : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() == NameColumn)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const bool isFolder = files->isDir(source);
        switch (index.column()) {
        case SizeColumn:
            return isFolder ? QString() : sizeText(files->size(source));
        case TypeColumn:
            return isFolder ? QStringLiteral("文件夹") : typeText(files->fileInfo(source));
        case DateColumn: {
            const QDateTime modified = files->lastModified(source);
            return modified.isValid() ? modified.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
        }
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

private:
    // Digits 0 to 9 and a point, as every number of the program shows.
    static QString sizeText(qint64 bytes)
    {
        if (bytes < 1024)
            return QStringLiteral("%1 字节").arg(bytes);
        return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
    }

    static QString typeText(const QFileInfo &file)
    {
        const QString suffix = file.suffix();
        return suffix.isEmpty() ? QStringLiteral("文件") : QStringLiteral("%1 文件").arg(suffix.toUpper());
    }
};

} // namespace

FileDialog::FileDialog(QWidget *parent, const QString &caption, const QString &path, const QString &filter,
                       AcceptMode mode)
    : QFileDialog(parent, caption, path, filter)
{
    // Being a class of its own already keeps the desktop's dialog away;
    // the option says so for whoever reads the options.
    setOption(DontUseNativeDialog);
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
    setProxyModel(new FileListTexts(this));
    // Only the detail view shows sizes, types and dates; a view left in
    // list mode by an earlier dialog would hide them.
    setViewMode(Detail);

    auto *view = findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *files = qobject_cast<QFileSystemModel *>(proxyModel()->sourceModel());
    if (!view || !files)
        return;
    // Qt sizes these columns for short English texts. The rows come in from
    // a reading thread; once a folder is read, or entered again, the
    // columns take the width of what they now show. The names take the rest
    // of the view, however wide the dialog is made, so that no date is
    // pushed out of sight.
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    const auto fitColumns = [view] {
        for (int column : {SizeColumn, TypeColumn, DateColumn})
            view->resizeColumnToContents(column);
    };
    connect(files, &QFileSystemModel::directoryLoaded, view, fitColumns, Qt::QueuedConnection);
    connect(this, &QFileDialog::directoryEntered, view, fitColumns, Qt::QueuedConnection);
}
