#pragma once
// The drawing surface shared by picture boxes, the zoom picture and the printer.
//
// Coordinates are user units mapped to device pixels by the canvas itself (no painter transform),
// so pen widths stay in device pixels and text keeps its point size whatever the scale.
// Every canvas records what it draws (a display list) so tests can inspect a drawing.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

class QPainter;
class QImage;

namespace platform {

// ScaleMode values the forms use: 0 user scale (any Scale* property set), 1 twips, 3 pixels.
enum ScaleModeValue : int { ScaleUser = 0, ScaleTwips = 1, ScalePixels = 3 };

// DrawStyle values; styles other than solid apply only while DrawWidth is 1.
enum DrawStyleValue : int {
    StyleSolid = 0,
    StyleDash = 1,
    StyleDot = 2,
    StyleDashDot = 3,
    StyleDashDotDot = 4,
    StyleInvisible = 5,
    StyleInsideSolid = 6,
};

// The optional "B" / "BF" flag of Line.
enum class LineShape { Line, Box, FilledBox };

enum class PrimitiveKind { Clear, Line, Box, FilledBox, Text, Picture, NewPage };

// One recorded drawing operation.
struct DrawnPrimitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    // User coordinates as given (Text, Picture: the top-left corner in x1/y1 and x2/y2 the opposite one).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // Device pixels after mapping and clamping.
    int dx1 = 0, dy1 = 0, dx2 = 0, dy2 = 0;
    Color color = 0;
    int width = 1;  // pen width in device pixels
    int style = StyleSolid;
    std::string text;  // Text only
    std::string fontName;
    double fontSize = 0;  // points
};

class Canvas {
public:
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // --- Scale. Setting any of the four switches to the user scale (mode 0); setting ScaleMode to
    // twips or pixels resets left/top to 0 and width/height to the device size in that unit.
    // A negative height makes y grow upward. A width or height of 0 is error 380.
    double ScaleLeft() const;
    double ScaleTop() const;
    double ScaleWidth() const;
    double ScaleHeight() const;
    void setScaleLeft(double value);
    void setScaleTop(double value);
    void setScaleWidth(double value);
    void setScaleHeight(double value);
    int ScaleMode() const;
    void setScaleMode(int mode);

    // --- Drawing.
    // Fills the whole surface with BackColor, puts the current point at (0, 0) and starts a new
    // display list.
    void Cls();
    // A line, outlined box or filled box in the colour given, else in ForeColor. Leaves the current
    // point at (x2, y2).
    void Line(double x1, double y1, double x2, double y2, std::optional<Color> color = std::nullopt,
              LineShape shape = LineShape::Line);
    // Text in ForeColor with its top-left corner at the current point. With newLine (the plain
    // statement) the current point then goes to ScaleLeft on the next text line; without it (a
    // trailing ';') it moves to the end of the text on the same line.
    void Print(const std::string& text, bool newLine = true);
    // A picture at its natural size (its pixels are taken as 96 dpi), top-left corner at (x, y).
    void PaintPicture(const Picture& picture, double x, double y);

    // Cuts off whatever is drawn outside the box (x1, y1)-(x2, y2), as a picture's edge cuts off
    // what runs past it. The box is taken in the current scale and kept in device pixels, so later
    // scale changes do not move it. Cls still clears the whole surface.
    void setClipBox(double x1, double y1, double x2, double y2);
    void clearClipBox();

    // Extent of a text in the current font, in user units; negative when the axis runs backwards.
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;

    double CurrentX() const;
    double CurrentY() const;
    void setCurrentX(double value);
    void setCurrentY(double value);

    Color ForeColor() const;
    void setForeColor(Color value);
    Color BackColor() const;
    // Like the run-time: setting BackColor clears the surface to the new colour.
    void setBackColor(Color value);
    int DrawWidth() const;
    void setDrawWidth(int pixels);  // 1..32767, else error 380
    int DrawStyle() const;
    void setDrawStyle(int style);  // 0..6, else error 380

    std::string FontName() const;
    void setFontName(const std::string& name);
    double FontSize() const;  // points
    void setFontSize(double points);  // > 0 and at most 2160, else error 380
    bool FontBold() const;
    void setFontBold(bool bold);

    // --- Device and recording.
    int deviceWidthPx() const;
    int deviceHeightPx() const;
    double deviceDpi() const;
    // User to device mapping, as used by every primitive (clamped to a safe range).
    int toDeviceX(double x) const;
    int toDeviceY(double y) const;
    // Device pixel to user units (mouse positions).
    double toUserX(double px) const;
    double toUserY(double px) const;

    const std::vector<DrawnPrimitive>& displayList() const;
    void clearDisplayList();

protected:
    Canvas();
    // The painter of the target, or null for a canvas that only records. Device properties come
    // from the target lazily (the printer learns its page only when a document starts).
    virtual QPainter* painter() = 0;
    virtual int widthPx() const = 0;
    virtual int heightPx() const = 0;
    virtual double dpi() const = 0;
    // Called after anything was drawn (a picture box repaints itself).
    virtual void changed() {}
    // The device size changed: keep the user scale, refresh the twips/pixels one.
    void deviceResized();
    void record(DrawnPrimitive primitive);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    void ensureScale() const;
    // The target's painter with the clip box applied (none for a canvas that only records).
    QPainter* clippedPainter();
};

// A persistent raster: what a picture box and the zoom picture draw on. Starts white.
class ImageCanvas : public Canvas {
public:
    ImageCanvas(int widthPx, int heightPx);
    ~ImageCanvas() override;

    // New pixel size (1..32767 each way); the old pixels are kept at the top-left, new area filled
    // with BackColor.
    void resize(int widthPx, int heightPx);
    // A copy of the current pixels that later drawing does not change.
    Picture snapshot() const;
    const QImage& image() const;
    // Set by the owner (a picture box widget) to repaint after drawing.
    std::function<void()> onChanged;

protected:
    QPainter* painter() override;
    int widthPx() const override;
    int heightPx() const override;
    double dpi() const override;
    void changed() override;

private:
    struct Raster;
    std::unique_ptr<Raster> r_;
};

// Records only: a display list over a device of the given size and resolution.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int widthPx, int heightPx, double dpi = 96);

protected:
    QPainter* painter() override { return nullptr; }
    int widthPx() const override { return width_; }
    int heightPx() const override { return height_; }
    double dpi() const override { return dpi_; }

private:
    int width_;
    int height_;
    double dpi_;
};

}  // namespace platform
