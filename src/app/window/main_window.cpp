#include "app/window/main_window.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QShortcut>
#include <set>

#include "app/window/edit_boxes.h"
#include "app/window/file_dialog.h"
#include "app/window/labels.h"
#include "app/window/picture_box.h"
#include "app/window/push_button.h"

namespace veyla::window {
namespace {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Every container is the window or a group box of the window; no name is used twice.
bool HoldsTogether(std::span<const ControlDefinition> controls) {
  std::set<std::string_view> names;
  std::set<std::string_view> groups;
  for (const ControlDefinition& control : controls) {
    if (control.name == kWindowName || !names.insert(control.name).second) {
      return false;
    }
    if (control.kind == ControlKind::GroupBox) {
      if (control.container != kWindowName) {
        return false;
      }
      groups.insert(control.name);
    }
  }
  for (const ControlDefinition& control : controls) {
    if (control.container != kWindowName && !groups.contains(control.container)) {
      return false;
    }
  }
  return true;
}

QWidget* MakeWidget(const ControlDefinition& control, QWidget* container) {
  const QString text = ToQString(control.text);
  switch (control.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(text, container);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      return label;
    }
    case ControlKind::StatusLine: {
      auto* label = new StatusLine(control.colours.value_or(kStatusLineColours), container);
      label->setText(text);
      return label;
    }
    case ControlKind::HelpText: {
      auto* label = new HelpText(control.colours.value_or(kHelpTextColours), container);
      label->setText(text);
      return label;
    }
    case ControlKind::MultiLineEdit: {
      auto* box = new MultiLineEdit(container);
      box->setPlainText(text);
      return box;
    }
    case ControlKind::LineEdit:
    case ControlKind::MaskedLineEdit: {
      QLineEdit* box = MakeLineEdit(control.kind == ControlKind::MaskedLineEdit, container);
      box->setText(text);
      return box;
    }
    case ControlKind::PushButton:
      return new PushButton(text, container);
    case ControlKind::GroupBox:
      return new QGroupBox(text, container);
    case ControlKind::PictureBox:
      return new PictureBox(container);
    case ControlKind::FileDialog:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr) {}

std::unique_ptr<MainWindow> MainWindow::Create(std::span<const ControlDefinition> controls,
                                               FileDialogPrompt prompt) {
  if (!HoldsTogether(controls)) {
    return nullptr;
  }
  std::unique_ptr<MainWindow> window(new MainWindow);
  if (!window->Build(controls, std::move(prompt))) {
    return nullptr;
  }
  return window;
}

bool MainWindow::Build(std::span<const ControlDefinition> controls, FileDialogPrompt prompt) {
  setObjectName(ToQString(kWindowName));
  setWindowTitle(ToQString(kWindowTitle));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  QIcon icon;
  for (const char* size : {"48", "128", "256"}) {
    icon.addFile(QStringLiteral(":/icons/veyla-%1.png").arg(QLatin1String(size)));
  }
  setWindowIcon(icon);
  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::Button));
  setPalette(background);
  setAutoFillBackground(true);

  // Containers first, so every control finds its parent.
  std::map<std::string_view, QWidget*> containers{{kWindowName, this}};
  for (const ControlDefinition& control : controls) {
    if (control.kind == ControlKind::GroupBox) {
      containers[control.name] = MakeWidget(control, this);
    }
  }
  for (const ControlDefinition& control : controls) {
    QWidget* container = containers.at(control.container);
    QObject* made = nullptr;
    if (control.kind == ControlKind::GroupBox) {
      made = containers.at(control.name);
    } else if (control.kind == ControlKind::FileDialog) {
      made = new FileDialogControl(prompt, this, container);
    } else {
      made = MakeWidget(control, container);
    }
    if (made == nullptr) {
      return false;
    }
    made->setObjectName(ToQString(control.name));
    if (auto* widget = qobject_cast<QWidget*>(made)) {
      widget->setGeometry(control.x, control.y, control.width, control.height);
      if (control.colours &&
          (control.kind == ControlKind::MultiLineEdit || control.kind == ControlKind::LineEdit ||
           control.kind == ControlKind::MaskedLineEdit)) {
        ApplyEditColours(*widget, *control.colours);
      }
      if (!control.visible) {
        widget->hide();
      }
    }
    controls_.emplace(std::string(control.name), made);
  }

  // Within a container the first control is on top: lowering each in turn leaves the last
  // one at the bottom.
  for (const ControlDefinition& control : controls) {
    if (auto* widget = qobject_cast<QWidget*>(Control(control.name))) {
      widget->lower();
    }
  }

  QWidget* previous = nullptr;
  for (std::string_view name : kFocusCycle) {
    auto* widget = qobject_cast<QWidget*>(Control(name));
    if (widget == nullptr) {
      continue;
    }
    if (previous != nullptr) {
      setTabOrder(previous, widget);
    }
    previous = widget;
  }

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  return true;
}

void MainWindow::ShowFirstTime() {
  move(kFirstShownX, kFirstShownY);
  if (auto* first = qobject_cast<QWidget*>(Control(kFocusCycle.front()))) {
    first->setFocus(Qt::OtherFocusReason);
  }
  show();
}

QObject* MainWindow::Control(std::string_view name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

QLineEdit* MainWindow::LineEdit(std::string_view name) const {
  return qobject_cast<QLineEdit*>(Control(name));
}

MultiLineEdit* MainWindow::MultiLine(std::string_view name) const {
  return qobject_cast<MultiLineEdit*>(Control(name));
}

QAbstractButton* MainWindow::Button(std::string_view name) const {
  return qobject_cast<QAbstractButton*>(Control(name));
}

StatusLine* MainWindow::Status() const {
  return qobject_cast<StatusLine*>(Control(control::kStatusLine));
}

PictureBox* MainWindow::Pictures() const {
  return qobject_cast<PictureBox*>(Control(control::kPictureBox));
}

FileDialogControl* MainWindow::FileDialog() const {
  return qobject_cast<FileDialogControl*>(Control(control::kFileDialog));
}

}  // namespace veyla::window
