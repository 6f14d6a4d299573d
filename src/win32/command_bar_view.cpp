#include "win32/command_bar_view.h"

#include <algorithm>
#include <string>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "core/command_states.h"
#include "core/host_adapter.h"
#include "operations/recent_files.h"
#include "win32/menu_builder.h"
#include "win32/module.h"
#include "win32/window_text.h"

namespace zun::win32 {
namespace {

// The colour of a picture's transparent pixels; the image list masks it.
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kPrint = RGB(150, 150, 150);
constexpr COLORREF kGreen = RGB(0, 150, 0);
constexpr COLORREF kRed = RGB(220, 0, 0);

// Draws one picture of the strip: coordinates are those of the picture,
// 0 to 15, whichever place of the strip it takes.
class Picture {
 public:
  Picture(HDC dc, int index) : dc_(dc), left_(index * kCommandImageSize) {}

  void Fill(int left, int top, int right, int bottom, COLORREF colour) const {
    const RECT rect{left_ + left, top, left_ + right, bottom};
    const UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(brush.get()));
  }

  // A filled polygon with a 1-pixel outline.
  void Shape(std::initializer_list<POINT> points, COLORREF fill, COLORREF outline) const {
    const std::vector<POINT> shifted = Shifted(points);
    const UniqueGdiObject brush(CreateSolidBrush(fill));
    const UniqueGdiObject pen(CreatePen(PS_SOLID, 1, outline));
    const SelectedObject selectedBrush(dc_, brush.get());
    const SelectedObject selectedPen(dc_, pen.get());
    Polygon(dc_, shifted.data(), static_cast<int>(shifted.size()));
  }

  // Connected lines through the points.
  void Line(std::initializer_list<POINT> points, COLORREF colour, int width) const {
    const std::vector<POINT> shifted = Shifted(points);
    const UniqueGdiObject pen(CreatePen(PS_SOLID, width, colour));
    const SelectedObject selectedPen(dc_, pen.get());
    Polyline(dc_, shifted.data(), static_cast<int>(shifted.size()));
  }

  void RoundBox(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline) const {
    const UniqueGdiObject brush(CreateSolidBrush(fill));
    const UniqueGdiObject pen(CreatePen(PS_SOLID, 1, outline));
    const SelectedObject selectedBrush(dc_, brush.get());
    const SelectedObject selectedPen(dc_, pen.get());
    RoundRect(dc_, left_ + left, top, left_ + right, bottom, 5, 5);
  }

 private:
  std::vector<POINT> Shifted(std::initializer_list<POINT> points) const {
    std::vector<POINT> shifted(points);
    for (POINT& p : shifted) p.x += left_;
    return shifted;
  }

  HDC dc_;
  int left_;
};

void DrawPage(const Picture& p) {
  p.Shape({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kPaper, kOutline);
  p.Line({{10, 1}, {10, 4}, {14, 4}}, kOutline, 1);
  for (int top : {6, 8, 10, 12}) p.Fill(5, top, 11, top + 1, kPrint);
}

void DrawFolder(const Picture& p) {
  const COLORREF edge = RGB(128, 88, 0);
  p.Shape({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}}, RGB(224, 176, 56), edge);
  p.Shape({{1, 13}, {4, 7}, {15, 7}, {12, 13}}, RGB(255, 220, 112), edge);
}

void DrawPlus(const Picture& p) {
  p.Fill(6, 2, 10, 14, kGreen);
  p.Fill(2, 6, 14, 10, kGreen);
}

void DrawEraser(const Picture& p) {
  p.Shape({{4, 7}, {8, 3}, {14, 9}, {10, 13}}, RGB(240, 128, 160), kOutline);
  p.Shape({{1, 10}, {4, 7}, {10, 13}, {7, 16}}, RGB(96, 128, 224), kOutline);
  p.Line({{8, 15}, {15, 15}}, kPrint, 1);
}

void DrawCheck(const Picture& p) { p.Line({{3, 8}, {6, 12}, {13, 3}}, kGreen, 3); }

void DrawCross(const Picture& p) {
  p.Line({{3, 3}, {12, 12}}, kRed, 3);
  p.Line({{12, 3}, {3, 12}}, kRed, 3);
}

void DrawDie(const Picture& p) {
  p.RoundBox(1, 1, 15, 15, kPaper, kOutline);
  for (const POINT& dot : {POINT{4, 4}, POINT{10, 4}, POINT{7, 7}, POINT{4, 10}, POINT{10, 10}})
    p.Fill(dot.x, dot.y, dot.x + 2, dot.y + 2, RGB(0, 0, 0));
}

void DrawMissingFile(const Picture& p) {
  DrawPage(p);
  p.Line({{2, 14}, {14, 2}}, kRed, 2);
}

void DrawPictures(HDC dc) {
  using Draw = void (*)(const Picture&);
  constexpr Draw kDraw[kCommandImageCount] = {DrawPage,  DrawFolder, DrawPlus, DrawEraser,
                                              DrawCheck, DrawCross,  DrawDie,  DrawMissingFile};
  const RECT strip{0, 0, kCommandImageSize * kCommandImageCount, kCommandImageSize};
  const UniqueGdiObject background(CreateSolidBrush(kTransparent));
  FillRect(dc, &strip, static_cast<HBRUSH>(background.get()));
  for (int i = 0; i < kCommandImageCount; ++i) kDraw[i](Picture(dc, i));
}

// A 32-bit strip of all the pictures side by side.
UniqueGdiObject DrawPictureStrip() {
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) throw std::runtime_error("Cannot draw the tool bar's pictures");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kCommandImageSize * kCommandImageCount;
  info.bmiHeader.biHeight = -kCommandImageSize;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject strip(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip) throw std::runtime_error("Cannot draw the tool bar's pictures");
  const SelectedObject selected(dc.get(), strip.get());
  DrawPictures(dc.get());
  GdiFlush();
  return strip;  // the strip is deselected as this returns: the image list gets it free
}

bool IsToolButton(UINT_PTR id) {
  const auto buttons = ToolButtonCommands();
  return std::any_of(buttons.begin(), buttons.end(), [id](CommandId c) { return static_cast<UINT_PTR>(c) == id; });
}

// The hint of a tool button's command; null for any other id.
const char* HintFor(UINT_PTR id) { return IsToolButton(id) ? CommandFor(static_cast<CommandId>(id)).hint : nullptr; }

// A tool tip's text (NMTTDISPINFOA or NMTTDISPINFOW): the button's hint.
template <class Request>
bool FillToolTip(Request& request) {
  const char* hint = HintFor(request.hdr.idFrom);
  if ((request.uFlags & TTF_IDISHWND) != 0 || hint == nullptr) return false;
  CopyText(hint, request.szText, static_cast<int>(std::size(request.szText)));
  request.lpszText = request.szText;
  request.hinst = nullptr;
  return true;
}

// The tool bar's own request for a button's tip (NMTBGETINFOTIPA or W).
template <class Request>
bool FillInfoTip(Request& request) {
  const char* hint = HintFor(static_cast<UINT_PTR>(request.iItem));
  if (hint == nullptr) return false;
  CopyText(hint, request.pszText, request.cchTextMax);
  return true;
}

}  // namespace

UniqueImageList CreateCommandImages() {
  UniqueImageList images(
      ImageList_Create(kCommandImageSize, kCommandImageSize, ILC_COLOR32 | ILC_MASK, kCommandImageCount, 0));
  if (!images) throw std::runtime_error("Cannot create the tool bar's pictures");
  const UniqueGdiObject strip = DrawPictureStrip();
  if (ImageList_AddMasked(images.get(), static_cast<HBITMAP>(strip.get()), kTransparent) < 0)
    throw std::runtime_error("Cannot add the tool bar's pictures");
  return images;
}

CommandBarWindow::~CommandBarWindow() {
  DestroyControl();
  images_.reset();
}

HWND CommandBarWindow::ToolTips() const {
  return reinterpret_cast<HWND>(SendMessageA(Handle(), TB_GETTOOLTIPS, 0, 0));
}

namespace {

// One picture of an image list as a bitmap a menu item can show, on the
// menu's colour.
UniqueGdiObject ImageBitmap(HIMAGELIST images, int index) {
  const WindowDc screen(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), kCommandImageSize, kCommandImageSize));
  if (!dc || !bitmap) return bitmap;
  const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
  const RECT all{0, 0, kCommandImageSize, kCommandImageSize};
  FillRect(dc.get(), &all, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(images, index, dc.get(), 0, 0, ILD_TRANSPARENT);
  SelectObject(dc.get(), old);
  return bitmap;
}

}  // namespace

// ---- The tool bar -----------------------------------------------------------------

void CommandBarWindow::Create(HWND panel) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  DestroyControl();
  images_ = CreateCommandImages();
  RECT area{};
  GetClientRect(panel, &area);
  const DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                      CCS_NODIVIDER | CCS_NOPARENTALIGN;
  HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, 0, 0, area.right, area.bottom, panel,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCommandBarControlId)), ModuleInstance(),
                             nullptr);
  if (bar == nullptr) throw std::runtime_error("Cannot create the command bar");
  Adopt(bar);
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kCommandImageSize, kCommandImageSize));
  SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  // Older tool bars take the size only before their first button.
  SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kCommandButtonWidth, kCommandButtonHeight));
  SendMessageA(bar, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kCommandButtonWidth, kCommandButtonWidth));
  SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);  // Load's arrow opens the file menu
  AddButtons();
  SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kCommandButtonWidth, kCommandButtonHeight));
  SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  TieNotifications(this);
}

void CommandBarWindow::AddButtons() {
  const CommandStates initial = InitialCommandStates();
  std::vector<TBBUTTON> buttons;
  for (CommandId id : ToolButtonCommands()) {
    const Command& command = CommandFor(id);
    TBBUTTON button{};
    const bool hasImage = command.image >= 0 && command.image < kCommandImageCount;
    button.iBitmap = hasImage ? command.image : I_IMAGENONE;
    button.idCommand = static_cast<int>(id);
    button.fsState = static_cast<BYTE>(TBSTATE_WRAP | (initial[id].enabled ? TBSTATE_ENABLED : 0));
    button.fsStyle = id == CommandId::Load ? BTNS_DROPDOWN : BTNS_BUTTON;
    button.iString = -1;
    buttons.push_back(button);
  }
  if (!SendMessageA(Handle(), TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
    throw std::runtime_error("Cannot add the command bar's buttons");
}

void CommandBarWindow::ShowCommandStates(const CommandStates& states) {
  for (CommandId id : ToolButtonCommands()) EnableButton(id, states[id].enabled);
}

void CommandBarWindow::EnableButton(CommandId id, bool enabled) {
  if (!Handle()) return;
  const WPARAM button = static_cast<WPARAM>(id);
  // The states are shown after every command: a button that keeps its state is not repainted.
  if ((SendMessageA(Handle(), TB_ISBUTTONENABLED, button, 0) != 0) == enabled) return;
  SendMessageA(Handle(), TB_ENABLEBUTTON, button, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

// ---- Messages the panel passes on ----------------------------------------------

bool CommandBarWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!Handle() || reinterpret_cast<HWND>(lParam) != Handle()) return false;
  const UINT id = LOWORD(wParam);
  if (IsToolButton(id)) adapter_.Execute(static_cast<CommandId>(id));
  return true;
}

bool CommandBarWindow::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      result = 0;
      return OnCommand(wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
    default:
      return false;
  }
}

bool CommandBarWindow::OnNotify(NMHDR* header, LRESULT& result) {
  if (!Handle() || header == nullptr) return false;
  // The tool bar passes its tool tip's requests on with the tip as sender.
  const HWND tips = ToolTips();
  if (header->hwndFrom != Handle() && (tips == nullptr || header->hwndFrom != tips)) return false;
  result = 0;
  switch (header->code) {
    case TTN_GETDISPINFOA:
      return FillToolTip(*reinterpret_cast<NMTTDISPINFOA*>(header));
    case TTN_GETDISPINFOW:
      return FillToolTip(*reinterpret_cast<NMTTDISPINFOW*>(header));
    case TBN_GETINFOTIPA:
      return FillInfoTip(*reinterpret_cast<NMTBGETINFOTIPA*>(header));
    case TBN_GETINFOTIPW:
      return FillInfoTip(*reinterpret_cast<NMTBGETINFOTIPW*>(header));
    case TBN_DROPDOWN:
      ShowFileMenu();
      result = TBDDRET_DEFAULT;
      return true;
    default:
      return false;
  }
}

void CommandBarWindow::ShowFileMenu() {
  // The picture of a missing file, for as long as the menu shows.
  const UniqueGdiObject missing = ImageBitmap(images_.get(), kMissingFileImage);
  const std::vector<ReopenMenuItem> recent = adapter_.ReopenMenu();
  const UniqueMenu menu = BuildFileMenu(adapter_.CurrentCommandStates(), recent, static_cast<HBITMAP>(missing.get()));
  RECT button{};
  SendMessageA(Handle(), TB_GETRECT, static_cast<WPARAM>(CommandId::Load), reinterpret_cast<LPARAM>(&button));
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
  const MenuChoice choice =
      TrackMenu(menu.get(), POINT{button.left, button.bottom}, TPM_LEFTALIGN | TPM_TOPALIGN, Handle());
  RunMenuChoice(adapter_, choice, reinterpret_cast<uintptr_t>(GetAncestor(Handle(), GA_ROOT)));
}

}  // namespace zun::win32
