#include "platform/canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/errors.h"
#include "platform/internal.h"

namespace platform {

using detail::toQColor;

namespace {

// Device coordinates beyond this are clamped: far outside any page, yet small enough that Qt's
// integer geometry cannot overflow when pen widths are added.
constexpr double DeviceLimit = 1.0e7;

constexpr double TwipsPerInch = 1440.0;
// Pictures carry no resolution of their own; they are screen bitmaps.
constexpr double PictureDpi = 96.0;

int clampToDevice(double v) {
    if (std::isnan(v)) raiseError(errOverflow);
    return static_cast<int>(std::floor(std::clamp(v, -DeviceLimit, DeviceLimit) + 0.5));
}

Qt::PenStyle penStyleOf(int drawStyle, int width) {
    if (width > 1) return Qt::SolidLine;
    switch (drawStyle) {
        case StyleDash: return Qt::DashLine;
        case StyleDot: return Qt::DotLine;
        case StyleDashDot: return Qt::DashDotLine;
        case StyleDashDotDot: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

}  // namespace

struct Canvas::Impl {
    int mode = ScaleTwips;
    double left = 0, top = 0;
    // Zero until first use: the device size may not be known at construction (the printer).
    double width = 0, height = 0;
    bool scaleKnown = false;
    double currentX = 0, currentY = 0;
    Color foreColor = RGB(0, 0, 0);
    Color backColor = RGB(255, 255, 255);
    int drawWidth = 1;
    int drawStyle = StyleSolid;
    std::string fontName = "Arial";
    double fontSize = 8;
    bool fontBold = false;
    std::optional<QRect> clip;  // device pixels
    std::vector<DrawnPrimitive> list;
};

Canvas::Canvas() : d_(std::make_unique<Impl>()) {}
Canvas::~Canvas() = default;

// --- Scale ---------------------------------------------------------------------------------------

namespace {
double unitsPerPixel(int mode, double dpi) { return mode == ScalePixels ? 1.0 : TwipsPerInch / dpi; }
}  // namespace

void Canvas::deviceResized() {
    if (d_->mode == ScaleUser && d_->scaleKnown) return;
    const double k = unitsPerPixel(d_->mode, dpi());
    d_->left = 0;
    d_->top = 0;
    d_->width = widthPx() * k;
    d_->height = heightPx() * k;
    d_->scaleKnown = true;
}

void Canvas::ensureScale() const {
    if (!d_->scaleKnown) const_cast<Canvas*>(this)->deviceResized();
}

double Canvas::ScaleLeft() const { ensureScale(); return d_->left; }
double Canvas::ScaleTop() const { ensureScale(); return d_->top; }
double Canvas::ScaleWidth() const { ensureScale(); return d_->width; }
double Canvas::ScaleHeight() const { ensureScale(); return d_->height; }
int Canvas::ScaleMode() const { return d_->mode; }

void Canvas::setScaleLeft(double value) {
    ensureScale();
    d_->left = value;
    d_->mode = ScaleUser;
}

void Canvas::setScaleTop(double value) {
    ensureScale();
    d_->top = value;
    d_->mode = ScaleUser;
}

void Canvas::setScaleWidth(double value) {
    if (value == 0 || !std::isfinite(value)) raiseError(errInvalidPropertyValue);
    ensureScale();
    d_->width = value;
    d_->mode = ScaleUser;
}

void Canvas::setScaleHeight(double value) {
    if (value == 0 || !std::isfinite(value)) raiseError(errInvalidPropertyValue);
    ensureScale();
    d_->height = value;
    d_->mode = ScaleUser;
}

void Canvas::setScaleMode(int mode) {
    if (mode != ScaleUser && mode != ScaleTwips && mode != ScalePixels) raiseError(errInvalidPropertyValue);
    ensureScale();
    d_->mode = mode;
    if (mode != ScaleUser) {
        d_->scaleKnown = false;
        deviceResized();
    }
}

int Canvas::deviceWidthPx() const { return widthPx(); }
int Canvas::deviceHeightPx() const { return heightPx(); }
double Canvas::deviceDpi() const { return dpi(); }

int Canvas::toDeviceX(double x) const {
    ensureScale();
    return clampToDevice((x - d_->left) / d_->width * widthPx());
}

int Canvas::toDeviceY(double y) const {
    ensureScale();
    return clampToDevice((y - d_->top) / d_->height * heightPx());
}

double Canvas::toUserX(double px) const {
    ensureScale();
    return d_->left + px * d_->width / widthPx();
}

double Canvas::toUserY(double px) const {
    ensureScale();
    return d_->top + px * d_->height / heightPx();
}

// --- Pen, colours, font ----------------------------------------------------------------------------

double Canvas::CurrentX() const { return d_->currentX; }
double Canvas::CurrentY() const { return d_->currentY; }
void Canvas::setCurrentX(double value) { d_->currentX = value; }
void Canvas::setCurrentY(double value) { d_->currentY = value; }

Color Canvas::ForeColor() const { return d_->foreColor; }
void Canvas::setForeColor(Color value) { d_->foreColor = value & 0xFFFFFF; }
Color Canvas::BackColor() const { return d_->backColor; }

void Canvas::setBackColor(Color value) {
    d_->backColor = value & 0xFFFFFF;
    Cls();
}

int Canvas::DrawWidth() const { return d_->drawWidth; }

void Canvas::setDrawWidth(int pixels) {
    if (pixels < 1 || pixels > 32767) raiseError(errInvalidPropertyValue);
    d_->drawWidth = pixels;
}

int Canvas::DrawStyle() const { return d_->drawStyle; }

void Canvas::setDrawStyle(int style) {
    if (style < StyleSolid || style > StyleInsideSolid) raiseError(errInvalidPropertyValue);
    d_->drawStyle = style;
}

std::string Canvas::FontName() const { return d_->fontName; }
void Canvas::setFontName(const std::string& name) { d_->fontName = name; }
double Canvas::FontSize() const { return d_->fontSize; }

void Canvas::setFontSize(double points) {
    if (!(points > 0) || points > 2160) raiseError(errInvalidPropertyValue);
    d_->fontSize = points;
}

bool Canvas::FontBold() const { return d_->fontBold; }
void Canvas::setFontBold(bool bold) { d_->fontBold = bold; }

namespace {
// The font in device pixels, so text keeps its point size whatever the user scale.
QFont deviceFont(const std::string& name, double points, bool bold, double dpi) {
    QFont font(QString::fromStdString(name));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
    font.setBold(bold);
    return font;
}
}  // namespace

double Canvas::TextWidth(const std::string& text) const {
    ensureScale();
    const QFontMetricsF metrics(deviceFont(d_->fontName, d_->fontSize, d_->fontBold, dpi()));
    return metrics.horizontalAdvance(QString::fromUtf8(text)) * d_->width / widthPx();
}

double Canvas::TextHeight(const std::string&) const {
    ensureScale();
    const QFontMetricsF metrics(deviceFont(d_->fontName, d_->fontSize, d_->fontBold, dpi()));
    return metrics.height() * d_->height / heightPx();
}

// --- Drawing -------------------------------------------------------------------------------------

const std::vector<DrawnPrimitive>& Canvas::displayList() const { return d_->list; }
void Canvas::clearDisplayList() { d_->list.clear(); }

void Canvas::record(DrawnPrimitive primitive) {
    primitive.fontName = d_->fontName;
    primitive.fontSize = d_->fontSize;
    d_->list.push_back(std::move(primitive));
}

void Canvas::setClipBox(double x1, double y1, double x2, double y2) {
    const int l = toDeviceX(x1), r = toDeviceX(x2), t = toDeviceY(y1), b = toDeviceY(y2);
    d_->clip = QRect(QPoint(std::min(l, r), std::min(t, b)), QPoint(std::max(l, r), std::max(t, b)));
}

void Canvas::clearClipBox() { d_->clip.reset(); }

QPainter* Canvas::clippedPainter() {
    QPainter* p = painter();
    if (!p) return nullptr;
    // The painter may be new (a new document, a resized picture): compare, not remember.
    if (d_->clip) {
        if (!p->hasClipping() || p->clipBoundingRect() != QRectF(*d_->clip)) p->setClipRect(*d_->clip);
    } else if (p->hasClipping()) {
        p->setClipping(false);
    }
    return p;
}

void Canvas::Cls() {
    d_->list.clear();
    if (QPainter* p = painter()) {
        p->setClipping(false);
        p->fillRect(0, 0, widthPx(), heightPx(), toQColor(d_->backColor));
        changed();
    }
    d_->currentX = 0;
    d_->currentY = 0;
    DrawnPrimitive prim;
    prim.kind = PrimitiveKind::Clear;
    prim.dx2 = widthPx();
    prim.dy2 = heightPx();
    prim.color = d_->backColor;
    record(std::move(prim));
}

void Canvas::Line(double x1, double y1, double x2, double y2, std::optional<Color> color, LineShape shape) {
    DrawnPrimitive prim;
    prim.kind = shape == LineShape::Line  ? PrimitiveKind::Line
                : shape == LineShape::Box ? PrimitiveKind::Box
                                          : PrimitiveKind::FilledBox;
    prim.x1 = x1;
    prim.y1 = y1;
    prim.x2 = x2;
    prim.y2 = y2;
    prim.dx1 = toDeviceX(x1);
    prim.dy1 = toDeviceY(y1);
    prim.dx2 = toDeviceX(x2);
    prim.dy2 = toDeviceY(y2);
    prim.color = color ? (*color & 0xFFFFFF) : d_->foreColor;
    prim.width = d_->drawWidth;
    prim.style = d_->drawStyle;
    d_->currentX = x2;
    d_->currentY = y2;

    QPainter* p = clippedPainter();
    if (p && !(d_->drawStyle == StyleInvisible && shape != LineShape::FilledBox)) {
        const QColor qc = toQColor(prim.color);
        const int l = std::min(prim.dx1, prim.dx2), r = std::max(prim.dx1, prim.dx2);
        const int t = std::min(prim.dy1, prim.dy2), b = std::max(prim.dy1, prim.dy2);
        if (shape == LineShape::FilledBox) {
            p->fillRect(QRect(QPoint(l, t), QPoint(r, b)), qc);
        } else {
            QPen pen(qc, prim.width, penStyleOf(prim.style, prim.width), Qt::RoundCap, Qt::RoundJoin);
            p->setPen(pen);
            p->setBrush(Qt::NoBrush);
            if (shape == LineShape::Box)
                p->drawRect(l, t, r - l, b - t);
            else
                p->drawLine(prim.dx1, prim.dy1, prim.dx2, prim.dy2);
        }
        changed();
    }
    record(std::move(prim));
}

void Canvas::Print(const std::string& text, bool newLine) {
    ensureScale();
    const QFont font = deviceFont(d_->fontName, d_->fontSize, d_->fontBold, dpi());
    const QFontMetricsF metrics(font);
    const QString qtext = QString::fromUtf8(text);

    DrawnPrimitive prim;
    prim.kind = PrimitiveKind::Text;
    prim.x1 = d_->currentX;
    prim.y1 = d_->currentY;
    prim.x2 = d_->currentX + TextWidth(text);
    prim.y2 = d_->currentY + TextHeight(text);
    prim.dx1 = toDeviceX(prim.x1);
    prim.dy1 = toDeviceY(prim.y1);
    prim.dx2 = toDeviceX(prim.x2);
    prim.dy2 = toDeviceY(prim.y2);
    prim.color = d_->foreColor;
    prim.text = text;

    if (QPainter* p = clippedPainter()) {
        p->setFont(font);
        p->setPen(toQColor(d_->foreColor));
        p->drawText(QPointF(prim.dx1, prim.dy1 + metrics.ascent()), qtext);
        changed();
    }
    if (newLine) {
        d_->currentX = d_->left;
        d_->currentY = prim.y2;
    } else {
        d_->currentX = prim.x2;
    }
    record(std::move(prim));
}

void Canvas::PaintPicture(const Picture& picture, double x, double y) {
    if (picture.isNull()) raiseError(errInvalidArgument);
    ensureScale();
    const double k = dpi() / PictureDpi;
    DrawnPrimitive prim;
    prim.kind = PrimitiveKind::Picture;
    prim.x1 = x;
    prim.y1 = y;
    prim.dx1 = toDeviceX(x);
    prim.dy1 = toDeviceY(y);
    prim.dx2 = clampToDevice(prim.dx1 + picture.widthPx() * k);
    prim.dy2 = clampToDevice(prim.dy1 + picture.heightPx() * k);
    prim.x2 = toUserX(prim.dx2);
    prim.y2 = toUserY(prim.dy2);
    if (QPainter* p = clippedPainter()) {
        p->drawImage(QRect(QPoint(prim.dx1, prim.dy1), QPoint(prim.dx2 - 1, prim.dy2 - 1)), picture.image());
        changed();
    }
    record(std::move(prim));
}

// --- Image canvas --------------------------------------------------------------------------------

struct ImageCanvas::Raster {
    QImage image;
    std::unique_ptr<QPainter> painter;
    // Reading the pixels needs the painter closed; the next drawing opens a new one.
    void close() { painter.reset(); }
};

namespace {
// A control may be sized to nothing (a minimized window); its image keeps one pixel so the
// user scale stays defined.
QImage blankImage(int w, int h, Color fill) {
    QImage image(std::clamp(w, 1, 32767), std::clamp(h, 1, 32767), QImage::Format_RGB32);
    image.fill(toQColor(fill));
    return image;
}
}  // namespace

ImageCanvas::ImageCanvas(int widthPx, int heightPx) : r_(std::make_unique<Raster>()) {
    r_->image = blankImage(widthPx, heightPx, BackColor());
}

ImageCanvas::~ImageCanvas() { r_->close(); }

void ImageCanvas::resize(int widthPx, int heightPx) {
    r_->close();
    QImage grown = blankImage(widthPx, heightPx, BackColor());
    {
        QPainter p(&grown);
        p.drawImage(0, 0, r_->image);
    }
    r_->image = std::move(grown);
    deviceResized();
    changed();
}

Picture ImageCanvas::snapshot() const {
    r_->close();
    return Picture(r_->image.copy());
}

const QImage& ImageCanvas::image() const {
    r_->close();
    return r_->image;
}

QPainter* ImageCanvas::painter() {
    if (!r_->painter) r_->painter = std::make_unique<QPainter>(&r_->image);
    return r_->painter.get();
}

int ImageCanvas::widthPx() const { return r_->image.width(); }
int ImageCanvas::heightPx() const { return r_->image.height(); }
double ImageCanvas::dpi() const { return PictureDpi; }

void ImageCanvas::changed() {
    if (onChanged) onChanged();
}

// --- Recording canvas ----------------------------------------------------------------------------

RecordingCanvas::RecordingCanvas(int widthPx, int heightPx, double dpi)
    : width_(std::max(1, widthPx)), height_(std::max(1, heightPx)), dpi_(dpi > 0 ? dpi : 96) {}

}  // namespace platform
