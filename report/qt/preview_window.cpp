#include "report/qt/preview_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "base/cp1252.h"
#include "base/format.h"
#include "report/engine_texts.h"
#include "report/filters.h"
#include "report/page_selection.h"
#include "report/pdf_filter.h"
#include "report/qt/page_painter.h"
#include "report/qt/printing.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

Qt::WindowStates next_window_state = Qt::WindowMaximized;

constexpr std::array<int, 8> kZoomPercents{500, 200, 150, 100, 75, 50, 25, 10};
// Zoom list entries that are not percentages.
constexpr int kPageWidthEntry = -1;
constexpr int kWholePageEntry = -2;
constexpr int kMultiplePagesEntry = -3;
// The multiple-pages view: a grid of this many pages, fewer than the page
// collection keeps in memory, so repainting it reads nothing back from disk.
constexpr int kGridColumns = 2;
constexpr int kGridRows = 2;
// Grey around and between pages, in screen pixels.
constexpr int kGap = 12;

QString from_cp1252(const std::string& text) {
    return QString::fromStdString(cp1252_to_utf8(text));
}

// A page's size in report pixels; empty when it has none or cannot be read
// (an exception must not leave a Qt event handler).
QSizeF page_size(GraphicStorage& pages, int index) {
    try {
        if (const GraphicSurface* page = pages.page(index);
            page && page->width > 0 && page->height > 0) {
            return QSizeF(page->width, page->height);
        }
    } catch (const std::exception&) {
    }
    return {};
}

}  // namespace

// The pages as they are laid out in the scroll area at the window's zoom.
class PageView : public QWidget {
  public:
    PageView(PreviewWindow& window, QWidget* parent) : QWidget(parent), window_(window) {}

    void relayout(const QSize& viewport) {
        placed_.clear();
        const auto& pages = window_.pages();
        const int current = window_.current_page();
        if (!pages || current < 1) {
            resize(viewport);
            update();
            return;
        }
        const bool grid = window_.zoom_mode() == PreviewWindow::ZoomMode::MultiplePages;
        const int columns = grid ? kGridColumns : 1;
        const int count =
            grid ? std::min(kGridColumns * kGridRows, window_.page_count() - current + 1) : 1;
        const double scale = window_.scale();

        std::vector<QSizeF> sizes;
        QSizeF cell;
        for (int i = 0; i < count; ++i) {
            const QSizeF size = page_size(*pages, current - 1 + i) * scale;
            sizes.push_back(size);
            cell = cell.expandedTo(size);
        }
        const int used_columns = std::min(columns, count);
        const int rows = (count + columns - 1) / columns;
        const int width = static_cast<int>(used_columns * cell.width()) + (used_columns + 1) * kGap;
        const int height = static_cast<int>(rows * cell.height()) + (rows + 1) * kGap;
        const QSize total(std::max(width, viewport.width()), std::max(height, viewport.height()));
        // Centred in the window when smaller than it.
        const double left = (total.width() - width) / 2.0 + kGap;
        const double top = (total.height() - height) / 2.0 + kGap;
        for (int i = 0; i < count; ++i) {
            const double x = left + (i % columns) * (cell.width() + kGap);
            const int row = i / columns;
            const double y = top + row * (cell.height() + kGap);
            placed_.push_back(
                {current - 1 + i, QRectF(QPointF(std::round(x), std::round(y)), sizes[i])});
        }
        resize(total);
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        const auto& pages = window_.pages();
        if (!pages) return;
        QPainter painter(this);
        for (const Placed& placed : placed_) {
            if (placed.rect.isEmpty() ||
                !event->rect().intersects(placed.rect.toAlignedRect().adjusted(-1, -1, 4, 4))) {
                continue;
            }
            painter.fillRect(placed.rect.translated(3, 3), QColor(64, 64, 64));
            painter.fillRect(placed.rect, Qt::white);
            try {
                if (const GraphicSurface* page = pages->page(placed.index)) {
                    page_painter_.paint(painter, *page, &pages->macros, placed.rect);
                }
            } catch (const std::exception&) {
                // A page that cannot be read (swap file gone, font missing)
                // stays blank; the window must go on working.
            }
        }
    }

  private:
    struct Placed {
        int index;
        QRectF rect;
    };

    PreviewWindow& window_;
    PagePainter page_painter_;
    std::vector<Placed> placed_;
};

PreviewWindow* PreviewWindow::open(std::shared_ptr<GraphicStorage> pages) {
    auto window = std::make_unique<PreviewWindow>(std::move(pages));
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (QScreen* screen = window->screen()) {
        // The size and place it has when not maximized: centred on the screen.
        const QRect available = screen->availableGeometry();
        window->resize(available.size() * 4 / 5);
        window->move(available.center() - window->rect().center());
    }
    window->setWindowState(default_window_state());
    window->show();
    // Qt owns it from here: it is deleted when it closes.
    return window.release();
}

PreviewWindow::PreviewWindow(std::shared_ptr<GraphicStorage> pages, QWidget* parent)
    : QMainWindow(parent), pages_(std::move(pages)) {
    setWindowTitle(from_cp1252(EngineTexts::current().preview_caption));
    page_count_ = pages_ ? pages_->page_count() : 0;
    current_page_ = page_count_ > 0 ? 1 : 0;

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    view_ = new PageView(*this, scroll_);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);
    setCentralWidget(scroll_);
    build_tool_bar();

    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });
    shortcut(QKeySequence(Qt::Key_PageUp), &PreviewWindow::prior_page);
    shortcut(QKeySequence(Qt::Key_PageDown), &PreviewWindow::next_page);
    shortcut(QKeySequence(Qt::Key_Home), &PreviewWindow::first_page);
    shortcut(QKeySequence(Qt::Key_End), &PreviewWindow::last_page);
    // The arrow keys scroll the page where the scroll area has the focus.
    scroll_->setFocus();
    refresh();
}

PreviewWindow::~PreviewWindow() = default;

Qt::WindowStates PreviewWindow::default_window_state() {
    return next_window_state;
}

void PreviewWindow::set_default_window_state(Qt::WindowStates state) {
    next_window_state = state;
}

void PreviewWindow::build_tool_bar() {
    const EngineTexts& t = EngineTexts::current();
    QToolBar* bar = addToolBar(QString());
    bar->setMovable(false);
    const auto action = [&](QStyle::StandardPixmap icon, const std::string& text,
                            void (PreviewWindow::*slot)()) {
        QAction* a = bar->addAction(style()->standardIcon(icon), from_cp1252(text));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action(QStyle::SP_MediaSkipBackward, t.first, &PreviewWindow::first_page);
    action(QStyle::SP_MediaSeekBackward, t.prior, &PreviewWindow::prior_page);

    bar->addWidget(new QLabel(from_cp1252(t.page) + " ", bar));
    page_field_ = new QSpinBox(bar);
    page_field_->setRange(std::min(1, page_count_), page_count_);
    connect(page_field_, &QSpinBox::valueChanged, this, &PreviewWindow::go_to_page);
    bar->addWidget(page_field_);
    page_total_ = new QLabel(QString(" %1 %2 ").arg(from_cp1252(t.of)).arg(page_count_), bar);
    bar->addWidget(page_total_);

    action(QStyle::SP_MediaSeekForward, t.next, &PreviewWindow::next_page);
    action(QStyle::SP_MediaSkipForward, t.last, &PreviewWindow::last_page);
    bar->addSeparator();

    QAction* out = bar->addAction(QStringLiteral("\u2212"));
    out->setToolTip(from_cp1252(t.zoom_out));
    connect(out, &QAction::triggered, this, &PreviewWindow::zoom_out);
    QAction* in = bar->addAction(QStringLiteral("+"));
    in->setToolTip(from_cp1252(t.zoom_in));
    connect(in, &QAction::triggered, this, &PreviewWindow::zoom_in);

    zoom_list_ = new QComboBox(bar);
    for (int percent : kZoomPercents) zoom_list_->addItem(QString("%1%").arg(percent), percent);
    zoom_list_->addItem(from_cp1252(t.page_width), kPageWidthEntry);
    zoom_list_->addItem(from_cp1252(t.whole_page), kWholePageEntry);
    zoom_list_->addItem(from_cp1252(t.multiple_pages), kMultiplePagesEntry);
    connect(zoom_list_, &QComboBox::activated, this, [this](int index) {
        const int entry = zoom_list_->itemData(index).toInt();
        if (entry > 0) {
            set_zoom_percent(entry);
        } else {
            set_zoom_mode(entry == kPageWidthEntry   ? ZoomMode::PageWidth
                          : entry == kWholePageEntry ? ZoomMode::WholePage
                                                     : ZoomMode::MultiplePages);
        }
    });
    bar->addWidget(zoom_list_);

    multiple_pages_ = bar->addAction(style()->standardIcon(QStyle::SP_FileDialogListView),
                                     from_cp1252(t.multiple_pages));
    multiple_pages_->setCheckable(true);
    connect(multiple_pages_, &QAction::toggled, this, [this](bool on) {
        if (on != (zoom_mode_ == ZoomMode::MultiplePages)) {
            set_zoom_mode(on ? ZoomMode::MultiplePages : ZoomMode::WholePage);
        }
    });
    bar->addSeparator();

    QAction* print_action = bar->addAction(from_cp1252(t.print));
    connect(print_action, &QAction::triggered, this, &PreviewWindow::print);
    QAction* save_action = bar->addAction(from_cp1252(t.save));
    connect(save_action, &QAction::triggered, this, &PreviewWindow::save);
    // Sending has no behaviour of its own here.
    bar->addAction(from_cp1252(t.send))->setEnabled(false);
    QAction* close_action = bar->addAction(from_cp1252(t.close));
    connect(close_action, &QAction::triggered, this, [this] { close(); });
}

void PreviewWindow::refresh() {
    {
        const QSignalBlocker block_field(page_field_);
        page_field_->setValue(current_page_);
        const QSignalBlocker block_list(zoom_list_);
        int entry = zoom_percent_;
        if (zoom_mode_ == ZoomMode::PageWidth) entry = kPageWidthEntry;
        if (zoom_mode_ == ZoomMode::WholePage) entry = kWholePageEntry;
        if (zoom_mode_ == ZoomMode::MultiplePages) entry = kMultiplePagesEntry;
        zoom_list_->setCurrentIndex(zoom_list_->findData(entry));
        const QSignalBlocker block_button(multiple_pages_);
        multiple_pages_->setChecked(zoom_mode_ == ZoomMode::MultiplePages);
    }
    view_->relayout(scroll_->viewport()->size());
}

void PreviewWindow::go_to_page(int number) {
    const int clamped = page_count_ > 0 ? std::clamp(number, 1, page_count_) : 0;
    if (clamped == current_page_) return;
    current_page_ = clamped;
    refresh();
}

void PreviewWindow::first_page() {
    go_to_page(1);
}

void PreviewWindow::prior_page() {
    go_to_page(current_page_ - 1);
}

void PreviewWindow::next_page() {
    go_to_page(current_page_ + 1);
}

void PreviewWindow::last_page() {
    go_to_page(page_count_);
}

double PreviewWindow::scale() const {
    if (zoom_mode_ == ZoomMode::Percent) return zoom_percent_ / 100.0;
    QSizeF page(794, 1123);  // A4 when there is nothing to measure
    if (pages_ && current_page_ > 0) {
        if (const QSizeF size = page_size(*pages_, current_page_ - 1); !size.isEmpty()) page = size;
    }
    const QSize viewport = scroll_->viewport()->size();
    const int columns = zoom_mode_ == ZoomMode::MultiplePages ? kGridColumns : 1;
    const int rows = zoom_mode_ == ZoomMode::MultiplePages ? kGridRows : 1;
    const double across = (viewport.width() - (columns + 1) * kGap) / (columns * page.width());
    const double down = (viewport.height() - (rows + 1) * kGap) / (rows * page.height());
    const double fitted = zoom_mode_ == ZoomMode::PageWidth ? across : std::min(across, down);
    return std::max(fitted, 0.02);
}

void PreviewWindow::set_zoom_percent(int percent) {
    zoom_mode_ = ZoomMode::Percent;
    zoom_percent_ = std::clamp(percent, kZoomPercents.back(), kZoomPercents.front());
    refresh();
}

void PreviewWindow::set_zoom_mode(ZoomMode mode) {
    zoom_mode_ = mode;
    refresh();
}

void PreviewWindow::zoom_in() {
    const double now = scale() * 100;
    int chosen = kZoomPercents.front();
    for (int percent : kZoomPercents) {
        if (percent > now + 0.5) chosen = percent;
    }
    set_zoom_percent(chosen);
}

void PreviewWindow::zoom_out() {
    const double now = scale() * 100;
    int chosen = kZoomPercents.back();
    for (auto it = kZoomPercents.rbegin(); it != kZoomPercents.rend(); ++it) {
        if (*it < now - 0.5) chosen = *it;
    }
    set_zoom_percent(chosen);
}

void PreviewWindow::print() {
    if (!pages_ || page_count_ == 0) return;
    const EngineTexts& t = EngineTexts::current();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(from_cp1252(print_job_title(pages_->macros)));
    printer.setFromTo(1, page_count_);

    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, page_count_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);

    // The page list and odd/even choice live on a tab of their own.
    auto* options = new QWidget(&dialog);
    options->setWindowTitle(from_cp1252(t.selection_tab));
    auto* form = new QFormLayout(options);
    auto* list = new QLineEdit(options);
    form->addRow(from_cp1252(t.page_list), list);
    auto* parity = new QComboBox(options);
    parity->addItem(from_cp1252(t.all_pages));
    parity->addItem(from_cp1252(t.odd_pages));
    parity->addItem(from_cp1252(t.even_pages));
    form->addRow(from_cp1252(t.parity), parity);
    dialog.setOptionTabs({options});

    if (dialog.exec() != QDialog::Accepted) return;

    PageSelection selection;
    if (printer.printRange() == QPrinter::CurrentPage) {
        selection.from = selection.to = current_page_;
    } else if (printer.printRange() == QPrinter::PageRange) {
        selection.from = printer.fromPage();
        selection.to = printer.toPage();
    }
    selection.list = utf8_to_cp1252(list->text().toStdString());
    selection.parity = parity->currentIndex() == 1   ? PageParity::Odd
                       : parity->currentIndex() == 2 ? PageParity::Even
                                                     : PageParity::All;
    selection.copies = printer.copyCount();
    print_pages(pages_, selection, printer);
}

void PreviewWindow::save() {
    if (!pages_) return;
    const EngineTexts& t = EngineTexts::current();
    // The one format the window writes.
    const QString pdf_files = QString("%1 (*.pdf)").arg(from_cp1252(t.pdf_document));
    QString proposed = from_cp1252(macro_value(pages_->macros, "Title"));
    QString file =
        QFileDialog::getSaveFileName(this, from_cp1252(t.save), proposed, pdf_files, nullptr);
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
    try {
        save_pages(pages_, file.toStdString(), 1, page_count_);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, windowTitle(), from_cp1252(e.what()));
    }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    // A minimized window remembers what it was before it was minimized.
    next_window_state = windowState() & ~Qt::WindowMinimized;
    pages_.reset();
    event->accept();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize) {
        view_->relayout(scroll_->viewport()->size());
    }
    return QMainWindow::eventFilter(watched, event);
}

void save_pages(std::shared_ptr<GraphicStorage> pages, const std::string& file_name, int first,
                int last) {
    TRLPDFFilter filter;
    filter.CheckHandles(file_name);
    filter.FileName = file_name;
    filter.FilterPages(std::move(pages), first, last);
}

}  // namespace tarvek::report
