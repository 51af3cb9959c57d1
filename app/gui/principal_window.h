// The main window on the screen: caption, size and test buttons of
// frmPrincipal, with the window's events handed to the job controller.
//
// The controller (TfrmPrincipal) is borrowed and must outlive the window; it
// keeps all state, including the hidden memos and list box, which have no
// widgets here. The window is the application's top-level error handler: an
// exception out of a handler is shown in a message box and the handler stops
// there, leaving the controller as the exception left it.
//
// Activation: each activation runs the controller's FormActivate, which acts
// on the first one only; none is taken while a handler runs. Without a window
// manager (a bare X server) nothing may ever activate a window, so when no
// activation has arrived shortly after the first show the window runs that
// first activation by itself.
//
// The close timer ticks every timerClose.interval_ms while the controller's
// timerClose.enabled is set; a tick may end the process from inside the loop.
//
// Closing the window ends the application: the controller's Close() runs,
// then the event loop quits, also while a preview window is still open.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace tarvek {

class TfrmPrincipal;

class PrincipalWindow : public QWidget {
  public:
    // Runs the controller's FormCreate with the program's arguments.
    PrincipalWindow(TfrmPrincipal& controller, const std::vector<std::string>& arguments);
    ~PrincipalWindow() override;

    static constexpr int kOuterWidth = 375;
    static constexpr int kOuterHeight = 145;
    // How long after the first show an activation may take to arrive.
    static constexpr int kActivationGraceMs = 300;

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void activated();
    void clicked(void (*handler)(TfrmPrincipal&));
    void follow_window_state();
    // Runs one of the controller's handlers as the application's top level.
    void run_handler(const std::function<void()>& handler);
    // Applies the controller's timer and close requests to the window.
    void follow_controller();
    void tick();
    void fit_outer_size();

    TfrmPrincipal& main_;
    QTimer close_timer_;
    bool busy_ = false;
    bool shown_once_ = false;
    bool activation_seen_ = false;
};

}  // namespace tarvek
