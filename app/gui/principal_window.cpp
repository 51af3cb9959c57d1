#include "app/gui/principal_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "app/main_window.h"
#include "base/cp1252.h"
#include "report/report.h"

namespace tarvek {

namespace {

struct ButtonDesign {
    const char* name;
    const char* caption;
    QRect geometry;
    void (*click)(TfrmPrincipal&);
    bool visible;
};

const ButtonDesign kButtons[] = {
    {"Button1", "email", {16, 8, 75, 25}, [](TfrmPrincipal& m) { m.Button1Click(); }, true},
    {"Button2", "print", {105, 8, 75, 25}, [](TfrmPrincipal& m) { m.Button2Click(); }, true},
    {"Button4", "email os", {16, 32, 75, 25}, [](TfrmPrincipal& m) { m.Button4Click(); }, true},
    {"Button5", "print os", {105, 32, 75, 25}, [](TfrmPrincipal& m) { m.Button5Click(); }, true},
    {"Button7", "email cond", {17, 56, 75, 25}, [](TfrmPrincipal& m) { m.Button7Click(); }, true},
    {"Button6", "print cond", {105, 56, 75, 25}, [](TfrmPrincipal& m) { m.Button6Click(); }, true},
    {"Button3", "Button3", {64, 88, 75, 25}, [](TfrmPrincipal& m) { m.Button3Click(); }, false},
};

}  // namespace

PrincipalWindow::PrincipalWindow(TfrmPrincipal& controller,
                                 const std::vector<std::string>& arguments)
    : main_(controller) {
    setObjectName("frmPrincipal");
    setWindowTitle(QString::fromUtf8(cp1252_to_utf8(TfrmPrincipal::kCaption)));
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);

    for (const ButtonDesign& design : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(design.caption), this);
        button->setObjectName(design.name);
        button->setGeometry(design.geometry);
        button->setVisible(design.visible);
        const auto click = design.click;
        connect(button, &QPushButton::clicked, this, [this, click] { clicked(click); });
    }

    // The frame is unknown until the window is on the screen; until then the
    // outer size is taken for the inner one.
    resize(kOuterWidth, kOuterHeight);
    QRect outer(QPoint(), QSize(kOuterWidth, kOuterHeight));
    if (const QScreen* s = QGuiApplication::primaryScreen())
        outer.moveCenter(s->availableGeometry().center());
    move(outer.topLeft());

    close_timer_.setTimerType(Qt::PreciseTimer);
    connect(&close_timer_, &QTimer::timeout, this, [this] { tick(); });

    main_.window_state_changed = [this] { follow_window_state(); };
    main_.FormCreate(arguments);
}

PrincipalWindow::~PrincipalWindow() {
    main_.window_state_changed = nullptr;
}

bool PrincipalWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activation_seen_ = true;
        // Out of Qt's own activation processing: the job may run for long
        // and open windows of its own.
        QMetaObject::invokeMethod(
            this, [this] { activated(); }, Qt::QueuedConnection);
    }
    return QWidget::event(event);
}

void PrincipalWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_once_) return;
    shown_once_ = true;
    QTimer::singleShot(0, this, [this] { fit_outer_size(); });
    QTimer::singleShot(kActivationGraceMs, this, [this] {
        if (activation_seen_) return;
        activation_seen_ = true;
        activated();
    });
}

void PrincipalWindow::closeEvent(QCloseEvent* event) {
    main_.Close();
    event->accept();
    QCoreApplication::exit(main_.codigo_saida());
}

void PrincipalWindow::activated() {
    // A job's own windows (progress, messages) come and go while it runs;
    // their activation changes must not start the job again inside itself.
    if (busy_) return;
    run_handler([this] { main_.FormActivate(); });
}

void PrincipalWindow::clicked(void (*handler)(TfrmPrincipal&)) {
    run_handler([this, handler] { handler(main_); });
}

void PrincipalWindow::follow_window_state() {
    if (main_.window_state == WindowState::Minimized) {
        showMinimized();
    } else {
        showNormal();
    }
}

void PrincipalWindow::run_handler(const std::function<void()>& handler) {
    busy_ = true;
    try {
        handler();
    } catch (const std::exception& e) {
        busy_ = false;
        // The timer state first: a job that failed after switching it on
        // still ends at the next tick, even with the message on the screen.
        follow_controller();
        report::show_message(e.what());
        return;
    }
    busy_ = false;
    follow_controller();
}

void PrincipalWindow::follow_controller() {
    if (main_.timerClose.enabled) {
        if (!close_timer_.isActive()) close_timer_.start(main_.timerClose.interval_ms);
    } else {
        close_timer_.stop();
    }
    if (main_.closed()) close();
}

void PrincipalWindow::tick() {
    // Jobs switch the timer off while they run; a disabled timer does not tick.
    if (!main_.timerClose.enabled) {
        close_timer_.stop();
        return;
    }
    try {
        main_.timerCloseTimer();
    } catch (const std::exception& e) {
        report::show_message(e.what());
    }
}

void PrincipalWindow::fit_outer_size() {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) return;
    resize(kOuterWidth - frame.width(), kOuterHeight - frame.height());
}

}  // namespace tarvek
