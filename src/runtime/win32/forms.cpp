#include "runtime/win32/forms.h"

#include <cmath>

#include "base/date.h"
#include "base/failures.h"
#include "base/reentry_guard.h"
#include "base/tray_messages.h"
#include "runtime/win32/bound_calls.h"
#include "runtime/win32/control_layout.h"
#include "runtime/win32/text.h"

namespace vorlin::win32 {
namespace {

// The program's numbers for the popup flag and the tray's mouse messages are the platform's own.
static_assert(kPopupRightAlign == TPM_RIGHTALIGN);
static_assert(kMouseMove == WM_MOUSEMOVE && kRightButtonUp == WM_RBUTTONUP);

constexpr wchar_t kWindowClass[] = L"VorlinForm";
constexpr int kProgramIcon = 1;

constexpr Status kNoWindow{kWindowFailure, "The window could not be created"};
constexpr Status kNoControl{kWindowFailure, "The control could not be created"};
constexpr Status kNoTimer{kWindowFailure, "The timer could not be started"};
constexpr Status kNoMenu{kWindowFailure, "The menu could not be created"};
constexpr Status kNoSize{kWindowFailure, "The window has no size"};
constexpr Status kTooManyControls{kOutOfMemory, "Out of memory: too many controls"};
constexpr Status kNoSuchMenu{kControlArrayElementMissing, "The menu doesn't exist"};

// The common controls, loaded when the first window with controls is loaded: the hidden host
// window needs none of them, and until the dialog opens the program does without the library.
Status loadCommonControls() {
  auto& init = bound<Comctl32Calls>().InitCommonControlsEx;
  if (init.bound()) return kOk;
  VORLIN_BIND(initialize, init);
  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  initialize(&controls);
  return kOk;
}

// The runtime whose windows the class's procedure serves. It is found here rather than in the
// window's own data: asking for that is a request to the window manager, and under Wine a costly
// one, for each of the hundred timer messages a second.
WinForms* theRuntime = nullptr;

}  // namespace

WinForms::WinForms(Graphics& graphics, ErrorReport& errorReport, HINSTANCE instance)
    : graphics_(graphics),
      errorReport_(errorReport),
      instance_(instance),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      dpi_(systemDpi()) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WinForms::windowProc;
  // A dialog class: the platform's dialog manager keeps the focus, moves it with Tab and the
  // arrow keys, and presses the focused button on Enter.
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
  theRuntime = this;
}

WinForms::~WinForms() {
  for (FormSlot& slot : forms_) {
    if (slot.form != nullptr) (void)destroy(slot);  // nobody is left to be told
  }
  UnregisterClassW(kWindowClass, instance_);
  if (theRuntime == this) theRuntime = nullptr;
}

int WinForms::pixels(int twips) const {
  return MulDiv(twips, static_cast<int>(dpi()), kTwipsPerInch);
}

HFONT WinForms::font() {
  if (fontDpi_ != dpi_) {
    (void)font_.take(createDialogFont(dpi_));
    fontDpi_ = dpi_;
  }
  return font_ ? font_.get() : stockDialogFont();
}

WinForms::FormSlot* WinForms::slotOf(const Form& form) {
  for (FormSlot& slot : forms_) {
    if (slot.form == &form) return &slot;
  }
  return nullptr;
}

const WinForms::FormSlot* WinForms::slotOf(const Form& form) const {
  for (const FormSlot& slot : forms_) {
    if (slot.form == &form) return &slot;
  }
  return nullptr;
}

WinForms::FormSlot* WinForms::slotOf(HWND window) {
  for (FormSlot& slot : forms_) {
    if (slot.form != nullptr && slot.window.get() == window) return &slot;
  }
  return nullptr;
}

Result<WinForms::FormSlot*> WinForms::loaded(Form& form) {
  return loadedSlot(*this, form, [this](const Form& f) { return slotOf(f); });
}

WinForms::ControlSlot* WinForms::controlOf(FormSlot& slot, int control, std::int16_t index,
                                           ControlKind kind) {
  for (std::size_t i = 0; i < slot.count; ++i) {
    ControlSlot& c = slot.controls[i];
    if (c.desc->id == control && c.desc->index == index && c.desc->kind == kind) return &c;
  }
  return nullptr;
}

bool WinForms::isLoaded(const Form& form) const {
  return slotOf(form) != nullptr;
}

Status WinForms::load(Form& form) {
  if (isLoaded(form)) return kOk;
  FormSlot* slot = nullptr;
  for (FormSlot& s : forms_) {
    if (s.form == nullptr) {
      slot = &s;
      break;
    }
  }
  if (slot == nullptr) return kTooManyWindows;
  const FormDesc& desc = form.description();
  for (const ControlDesc& c : desc.controls) {
    if (isWindowControl(c.kind)) {
      VORLIN_TRY(loadCommonControls());
      break;
    }
  }

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, pixels(desc.clientWidth), pixels(desc.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  OwnedHWND window(CreateWindowExW(0, kWindowClass, wide(desc.caption).c_str(), style,
                                   CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                   frame.bottom - frame.top, nullptr, nullptr, instance_, nullptr));
  if (!window) return kNoWindow;
  // The slot's controls were left empty when its last window went.
  slot->form = &form;
  slot->window = std::move(window);
  slot->count = 0;
  if (const Status s = createControls(*slot); s.failed()) {
    (void)destroy(*slot);  // the failure that stopped the load is the one reported
    return s;
  }
  return form.handle(Event{EventKind::Load});
}

Status WinForms::createControls(FormSlot& slot) {
  const FormDesc& desc = slot.form->description();
  VORLIN_TRY(slot.pictures.load(graphics_, desc));
  // Controls without a window first, then the windowed ones in tab order, which is the order
  // the dialog keys move through them.
  for (const ControlDesc& c : desc.controls) {
    if (!isWindowControl(c.kind)) VORLIN_TRY(createControl(slot, c));
  }
  int tab = -1;
  for (;;) {
    const ControlDesc* next = nullptr;
    for (const ControlDesc& c : desc.controls) {
      if (isWindowControl(c.kind) && c.tabIndex > tab &&
          (next == nullptr || c.tabIndex < next->tabIndex))
        next = &c;
    }
    if (next == nullptr) break;
    VORLIN_TRY(createControl(slot, *next));
    tab = next->tabIndex;
  }
  updateTabStops(slot);
  return kOk;
}

Status WinForms::createControl(FormSlot& slot, const ControlDesc& desc) {
  if (slot.count == slot.controls.size()) return kTooManyControls;
  const int command = kFirstCommand + static_cast<int>(slot.count);
  ControlSlot& c = slot.controls[slot.count++];
  c.desc = &desc;
  switch (desc.kind) {
    case ControlKind::Timer:
      if (desc.interval > 0) {
        const WindowTimer timer{slot.window.get(), static_cast<UINT_PTR>(command)};
        if (SetTimer(timer.window, timer.id, static_cast<UINT>(desc.interval), nullptr) == 0)
          return kNoTimer;
        c.timer = OwnedTimer(timer);
      }
      break;
    case ControlKind::Menu:
      // Only a menu of the window's own is made: its items are entries of it.
      if (desc.parent == kNone) return createMenu(slot, c);
      break;
    case ControlKind::PictureBox:  // its picture is loaded with the window's others
    case ControlKind::Separator:
      break;
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
      return createButton(slot, c, command);
  }
  return kOk;
}

Status WinForms::createMenu(FormSlot& slot, ControlSlot& c) {
  c.menu = OwnedHMENU(CreatePopupMenu());
  if (!c.menu) return kNoMenu;
  // Items are created after their menu.
  for (const ControlDesc& item : slot.form->description().controls) {
    if (item.parent != c.desc->id) continue;
    if (isSeparator(item)) {
      AppendMenuW(c.menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(c.menu.get(), MF_STRING, static_cast<UINT_PTR>(kFirstMenuCommand + item.id),
                  wide(item.caption).c_str());
    }
  }
  return kOk;
}

Status WinForms::createButton(FormSlot& slot, ControlSlot& c, int command) {
  const ControlDesc& desc = *c.desc;
  const bool option = desc.kind == ControlKind::OptionButton;
  DWORD style = WS_CHILD | WS_VISIBLE;
  style |= option ? BS_RADIOBUTTON : BS_PUSHBUTTON | WS_TABSTOP;
  // A group for the dialog keys: each button, and each run of options.
  const ControlSlot* previous = nullptr;
  for (auto i = static_cast<std::size_t>(&c - slot.controls.data()); i-- > 0;) {
    if (slot.controls[i].window) {
      previous = &slot.controls[i];
      break;
    }
  }
  if (!option || previous == nullptr || previous->desc->kind != ControlKind::OptionButton)
    style |= WS_GROUP;
  c.window = OwnedHWND(
      CreateWindowExW(0, L"BUTTON", wide(desc.caption).c_str(), style, pixels(desc.left),
                      pixels(desc.top), pixels(unobstructedWidth(slot.form->description(), desc)),
                      pixels(desc.height), slot.window.get(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(command)), instance_, nullptr));
  if (!c.window) return kNoControl;
  SendMessageW(c.window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  return kOk;
}

Status WinForms::destroy(FormSlot& slot) {
  OwnedHWND window = std::move(slot.window);  // no more events reach the form while it goes
  // Everything goes, whatever a release answers; the first failure of a picture is the answer.
  // The platform's own releases are not reported: a window, menu or timer that could not be
  // released is left to the platform, which takes them all when the program ends.
  const Status released = slot.pictures.release(graphics_);
  for (std::size_t i = 0; i < slot.count; ++i) {
    ControlSlot& c = slot.controls[i];
    (void)c.timer.release();
    (void)c.menu.release();
    (void)c.window.release();
  }
  slot.form = nullptr;
  slot.count = 0;
  (void)window.release();
  return released;
}

Status WinForms::show(Form& form) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  HWND window = slot.value->window.get();
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  if (!IsChild(window, GetFocus())) {
    // The first control in tab order takes the focus; of the option group, the selected option.
    HWND first = nullptr;
    for (std::size_t i = 0; i < slot.value->count && first == nullptr; ++i) {
      const ControlSlot& c = slot.value->controls[i];
      if (!c.window) continue;
      if (c.desc->kind == ControlKind::CommandButton ||
          SendMessageW(c.window.get(), BM_GETCHECK, 0, 0) == BST_CHECKED)
        first = c.window.get();
    }
    SetFocus(first != nullptr ? first : window);
  }
  return kOk;
}

Status WinForms::unload(Form& form) {
  FormSlot* slot = slotOf(form);
  if (slot == nullptr) return kOk;
  const Status released = destroy(*slot);
  bool any = false;
  for (const FormSlot& s : forms_) any = any || s.form != nullptr;
  if (!any) PostQuitMessage(0);
  return released;
}

Result<Handle> WinForms::windowHandle(Form& form) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  return {kOk, toHandle(slot.value->window.get())};
}

Result<Handle> WinForms::pictureDC(Form& form, int control, std::int16_t index) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  return slot.value->pictures.dc(control, index);
}

Result<Twips> WinForms::outerWidth(Form& form) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  RECT r{};
  if (!GetWindowRect(slot.value->window.get(), &r)) return kNoSize;
  return {kOk, static_cast<Twips>(r.right - r.left) * twipsPerPixelX().value};
}

Result<Twips> WinForms::outerHeight(Form& form) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  RECT r{};
  if (!GetWindowRect(slot.value->window.get(), &r)) return kNoSize;
  return {kOk, static_cast<Twips>(r.bottom - r.top) * twipsPerPixelX().value};
}

Status WinForms::setLeft(Form& form, Twips left) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  RECT r{};
  GetWindowRect(slot.value->window.get(), &r);
  const int x = static_cast<int>(std::lround(left / twipsPerPixelX().value));
  SetWindowPos(slot.value->window.get(), nullptr, x, r.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return kOk;
}

Status WinForms::setTop(Form& form, Twips top) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  RECT r{};
  GetWindowRect(slot.value->window.get(), &r);
  const int y = static_cast<int>(std::lround(top / twipsPerPixelX().value));
  SetWindowPos(slot.value->window.get(), nullptr, r.left, y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return kOk;
}

Result<Twips> WinForms::screenWidth() {
  return {kOk, static_cast<Twips>(GetSystemMetrics(SM_CXSCREEN)) * twipsPerPixelX().value};
}

Result<Twips> WinForms::screenHeight() {
  return {kOk, static_cast<Twips>(GetSystemMetrics(SM_CYSCREEN)) * twipsPerPixelX().value};
}

Result<Twips> WinForms::twipsPerPixelX() {
  return {kOk, static_cast<Twips>(kTwipsPerInch) / static_cast<Twips>(dpi())};
}

Status WinForms::popupMenu(Form& form, int menu, int flags) {
  // One popup at a time: a tray report dispatched by the open menu's own loop opens nothing.
  const ReentryGuard guard(popupOpen_);
  if (!guard.entered()) return kOk;
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  const ControlSlot* c = controlOf(*slot.value, menu, kNone, ControlKind::Menu);
  if (c == nullptr || !c->menu) return kNoSuchMenu;
  HWND window = slot.value->window.get();
  POINT at{};
  GetCursorPos(&at);
  // The owner comes to the foreground first and gets a null message after, so that a click
  // anywhere else closes the menu.
  SetForegroundWindow(window);
  const UINT chosen =
      TrackPopupMenu(c->menu.get(), static_cast<UINT>(flags) | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                     at.y, 0, window, nullptr);
  PostMessageW(window, WM_NULL, 0, 0);
  if (chosen == 0) return kOk;
  return form.handle(Event{EventKind::Click, static_cast<int>(chosen) - kFirstMenuCommand});
}

Status WinForms::setOptionValue(Form& form, int control, std::int16_t index) {
  const Result<FormSlot*> slot = loaded(form);
  VORLIN_TRY(slot.status);
  const ControlSlot* chosen = controlOf(*slot.value, control, index, ControlKind::OptionButton);
  if (chosen == nullptr) return kNoSuchElement;
  // All options of a window form one group.
  for (std::size_t i = 0; i < slot.value->count; ++i) {
    const ControlSlot& c = slot.value->controls[i];
    if (c.desc->kind != ControlKind::OptionButton) continue;
    SendMessageW(c.window.get(), BM_SETCHECK, &c == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  updateTabStops(*slot.value);
  return form.handle(Event{EventKind::Click, control, index});
}

int WinForms::run() {
  MSG msg{};
  for (;;) {
    bool any = false;
    for (const FormSlot& s : forms_) any = any || s.form != nullptr;
    if (!any || GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    // Only a keyboard message can be a dialog key or make a character; every other one (the
    // timer's among them, a hundred a second) goes straight to its window, with no question to
    // the window manager.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      if (optionKey(msg)) continue;
      HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      // The dialog keys (Tab, the access keys) of a visible window of ours.
      if (root != nullptr && slotOf(root) != nullptr && IsWindowVisible(root) &&
          IsDialogMessageW(root, &msg))
        continue;
      TranslateMessage(&msg);
    }
    DispatchMessageW(&msg);
  }
  return 0;
}

LRESULT CALLBACK WinForms::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WinForms* self = theRuntime;
  FormSlot* slot = self != nullptr ? self->slotOf(window) : nullptr;
  if (slot == nullptr) return DefDlgProcW(window, message, wParam, lParam);
  return self->message(*slot, message, wParam, lParam);
}

LRESULT WinForms::message(FormSlot& slot, UINT message, WPARAM wParam, LPARAM lParam) {
  Form& form = *slot.form;
  HWND window = slot.window.get();
  if (message == taskbarCreated_ && message != 0) {
    raise(errorReport_, form, Event{EventKind::TaskbarCreated});
    return 0;
  }
  switch (message) {
    case WM_TIMER: {
      if (promotion_ != nullptr) promotion_->tick();
      const std::size_t i = wParam - kFirstCommand;
      if (i < slot.count && slot.controls[i].timer)
        raise(errorReport_, form, Event{EventKind::Timer, slot.controls[i].desc->id});
      return 0;
    }
    case WM_MOUSEMOVE: {
      // Also the tray entry's reports: the mouse message arrives as the low word of lParam.
      const Twips perPixel = twipsPerPixelX().value;
      Event e{EventKind::MouseMove};
      e.x = static_cast<Twips>(LOWORD(lParam)) * perPixel;
      raise(errorReport_, form, e);
      return 0;
    }
    case WM_COMMAND:
      command(slot, wParam);
      return 0;
    case WM_DPICHANGED:
      dpiChanged(slot, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The frame, or another program (taskkill without /F sends this): the form's handler
      // runs, then the window is unloaded.
      closeFromOutside(*this, errorReport_, form);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends: each window closes as if closed from outside.
      if (wParam) closeFromOutside(*this, errorReport_, form);
      return 0;
    default:
      break;
  }
  return DefDlgProcW(window, message, wParam, lParam);
}

void WinForms::command(FormSlot& slot, WPARAM wParam) {
  const int id = LOWORD(wParam);
  Form& form = *slot.form;
  if (id == IDCANCEL) return;  // Escape: the window has no cancel button
  if (id == IDOK) {
    // Enter: the window has no default button; a focused command button is pressed.
    HWND focus = GetFocus();
    for (std::size_t i = 0; i < slot.count; ++i) {
      const ControlSlot& c = slot.controls[i];
      if (c.window.get() == focus && c.desc->kind == ControlKind::CommandButton) {
        raise(errorReport_, form, Event{EventKind::Click, c.desc->id});
        return;
      }
    }
    return;
  }
  const std::size_t i = static_cast<std::size_t>(id - kFirstCommand);
  if (id < kFirstCommand || i >= slot.count || HIWORD(wParam) != BN_CLICKED) return;
  const ControlDesc& desc = *slot.controls[i].desc;
  if (desc.kind == ControlKind::OptionButton) {
    reportIfFailed(errorReport_, setOptionValue(form, desc.id, desc.index));
  } else if (desc.kind == ControlKind::CommandButton) {
    raise(errorReport_, form, Event{EventKind::Click, desc.id});
  }
}

}  // namespace vorlin::win32
