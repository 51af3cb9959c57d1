// The preview window: shows the pages of a page collection on the screen and
// lets the user print them, save them through a save filter, or close.
//
// Its title is the engine's preview text ("Pré-visualização" in Portuguese),
// which other processes look for among the desktop's window titles. It is
// not modal and deletes itself when closed.
//
// Ownership: the window shares ownership of the page collection from its
// creation until it is closed, so the pages outlive the report that made
// them; closing releases them at once, before the window itself goes.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "report/metafile.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QAction;

namespace tarvek::report {

class PageView;

class PreviewWindow : public QMainWindow {
    Q_OBJECT

  public:
    enum class ZoomMode { Percent, PageWidth, WholePage, MultiplePages };

    // Creates a window on `pages`, shows it in the default window state and
    // returns it. The window owns itself (deleted on close); the pointer is
    // valid until then.
    static PreviewWindow* open(std::shared_ptr<GraphicStorage> pages);

    // A window at the first page, not yet shown. Prefer open().
    explicit PreviewWindow(std::shared_ptr<GraphicStorage> pages, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The state the next preview opens in: maximized at first, then the
    // state (maximized or normal) the last closed preview had.
    static Qt::WindowStates default_window_state();
    static void set_default_window_state(Qt::WindowStates state);

    // The collection shown; null once the window was closed.
    const std::shared_ptr<GraphicStorage>& pages() const { return pages_; }
    int page_count() const { return page_count_; }
    // 1-based; 0 when there are no pages.
    int current_page() const { return current_page_; }
    // Clamped to the pages there are.
    void go_to_page(int number);

    ZoomMode zoom_mode() const { return zoom_mode_; }
    // Screen pixels per report pixel as currently shown.
    double scale() const;
    void set_zoom_percent(int percent);
    void set_zoom_mode(ZoomMode mode);

  public slots:
    void first_page();
    void prior_page();
    void next_page();
    void last_page();
    void zoom_in();
    void zoom_out();
    // The print dialog, then printing of the pages chosen there.
    void print();
    // The save dialog, then writing through the chosen filter.
    void save();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build_tool_bar();
    void refresh();

    std::shared_ptr<GraphicStorage> pages_;
    int page_count_ = 0;
    int current_page_ = 0;
    ZoomMode zoom_mode_ = ZoomMode::Percent;
    int zoom_percent_ = 100;

    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QSpinBox* page_field_ = nullptr;
    QLabel* page_total_ = nullptr;
    QComboBox* zoom_list_ = nullptr;
    QAction* multiple_pages_ = nullptr;
};

// Writes pages first..last (1-based, clipped) of `pages` to `file_name`
// through a PDF filter of its own: the layout's filter is gone once its job
// ended, while its preview stays. Raises tarvek::Error for any extension but
// ".pdf" (in any case), and lets the filter's errors through.
void save_pages(std::shared_ptr<GraphicStorage> pages, const std::string& file_name, int first,
                int last);

}  // namespace tarvek::report
