#pragma once

// The widgets and reports that the list pages and their dialogs build
// alike, so that a control looks and behaves the same in every window.

#include <QString>

#include <memory>
#include <vector>

class QLabel;
class QLayout;
class QSize;
class QTableView;
class QWidget;
class GridReport;
class ImageButton;

// A command button with its control id that Enter never presses: no page,
// and no dialog that makes its buttons here, gives Enter a meaning.
ImageButton* MakeCommandButton(QWidget* parent, const char* id, const QString& text);
// The same with a 24 x 24 picture beside the caption, when one is given.
ImageButton* MakePictureButton(QWidget* parent, const char* id, const QString& text, const QString& image = QString());
// A label with its control id.
QLabel* MakeIdLabel(QWidget* parent, const char* id, const QString& text);

// The bottom row of a list page of that size: 上一页, the page's new
// button and 下一页 about the middle, the page line at the left under them.
void PlacePagingRow(QWidget* prev, QWidget* add, QWidget* next, QWidget* pageLine, const QSize& size);

// A bill report page's list: whole rows selected one at a time, nothing
// edited in place, grid lines, titles at the left as the cells' texts, and
// rows of one height (a search may list twenty thousand bills). The page's
// layout keeps narrow side margins: the list needs the room. Its columns
// follow what it lists (FitReportColumns).
void SetUpReportList(QTableView* view, QLayout* pageLayout);

// Sizes a list's columns once, each at least its width in `least` (the
// first column by the first) and wide enough for its title, and hides the
// columns past them. The last one shown stretches to the view.
void FitListColumns(QTableView* view, const std::vector<int>& least);

// A report loaded with the template of that name from the program's
// folder. A template that cannot be loaded is reported when the person
// asks for the report: the report keeps the error.
std::unique_ptr<GridReport> LoadReportTemplate(const char* templateName);
