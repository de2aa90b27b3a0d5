#include "win32/glyphs.h"

#include <initializer_list>
#include <vector>

namespace velunor::win32 {

namespace {

// Points and lengths of the 16-unit grid, in the pixels of `area`.
class TGrid {
 public:
  explicit TGrid(const RECT& area) : area_(area) {}
  int X(double units) const { return area_.left + Scaled(units); }
  int Y(double units) const { return area_.top + Scaled(units); }
  int Scaled(double units) const {
    return static_cast<int>(units * (area_.right - area_.left) / 16.0 + 0.5);
  }

 private:
  RECT area_;
};

// Fills and outlines a shape with the given colours.
class TPaint {
 public:
  TPaint(HDC dc, COLORREF line, COLORREF fill, int width = 1)
      : dc_(dc), pen_(CreatePen(PS_SOLID, width, line)), brush_(CreateSolidBrush(fill)) {
    oldPen_ = SelectObject(dc_, pen_);
    oldBrush_ = SelectObject(dc_, brush_);
  }
  ~TPaint() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  TPaint(const TPaint&) = delete;
  TPaint& operator=(const TPaint&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_;
  HGDIOBJ oldBrush_;
};

void Polygon(HDC dc, const TGrid& grid, std::initializer_list<POINT> units) {
  std::vector<POINT> points;
  for (const POINT& unit : units)
    points.push_back({grid.X(unit.x), grid.Y(unit.y)});
  ::Polygon(dc, points.data(), static_cast<int>(points.size()));
}

// Lines of writing on a sheet, the last one half as long.
void DrawWriting(HDC dc, const TGrid& grid, double left, double right, double top, int count) {
  TPaint paint(dc, RGB(0x70, 0x70, 0x70), RGB(0x70, 0x70, 0x70));
  for (int i = 0; i < count; ++i) {
    const double y = top + 2.0 * i;
    MoveToEx(dc, grid.X(left), grid.Y(y), nullptr);
    LineTo(dc, grid.X(i == count - 1 ? (left + right) / 2 : right), grid.Y(y));
  }
}

}  // namespace

void DrawCheatSheetGlyph(HDC dc, const RECT& area) {
  const TGrid grid(area);
  {
    TPaint paint(dc, RGB(0x80, 0x68, 0x10), RGB(0xFF, 0xEC, 0x8B));
    Polygon(dc, grid, {{2, 1}, {10, 1}, {13, 4}, {13, 14}, {2, 14}});
  }
  {
    TPaint paint(dc, RGB(0x80, 0x68, 0x10), RGB(0xE8, 0xC8, 0x50));
    Polygon(dc, grid, {{10, 1}, {10, 4}, {13, 4}});
  }
  DrawWriting(dc, grid, 4.5, 11.5, 6.5, 4);
}

void DrawPasteGlyph(HDC dc, const RECT& area) {
  const TGrid grid(area);
  {
    TPaint paint(dc, RGB(0x5A, 0x3A, 0x1A), RGB(0xB0, 0x7A, 0x40));
    RoundRect(dc, grid.X(1), grid.Y(2), grid.X(12), grid.Y(15), grid.Scaled(2), grid.Scaled(2));
  }
  {
    TPaint paint(dc, RGB(0x50, 0x50, 0x50), RGB(0xC8, 0xC8, 0xC8));
    RoundRect(dc, grid.X(4), grid.Y(1), grid.X(9), grid.Y(4), grid.Scaled(2), grid.Scaled(2));
  }
  {
    TPaint paint(dc, RGB(0x40, 0x40, 0x60), RGB(0xFF, 0xFF, 0xFF));
    Rectangle(dc, grid.X(6), grid.Y(6), grid.X(15), grid.Y(16));
  }
  DrawWriting(dc, grid, 8, 13, 9, 3);
}

}  // namespace velunor::win32
