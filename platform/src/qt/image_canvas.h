// Drawing into a window's backing image: rectangles, text in the system
// font and one-pixel lines.
#pragma once

#include "driver/driver.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>

namespace wordoria::platform {

class ImageCanvas : public Canvas {
public:
    explicit ImageCanvas(QImage* image) : image_(image) {}
    void Fill(const Region& clip, const RECT& area, COLORREF color, Region* changed) override;
    void Text(const Region& clip, POINT at, std::string_view bytes, const TextColors& colors,
              Region* changed) override;
    void Line(const Region& clip, POINT from, POINT to, COLORREF color, Region* changed) override;
    void EndDrawing() override;

private:
    // One painter for all the drawing of a device context, clipped once.
    QPainter* PainterFor(const Region& clip);

    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    const Region* painterClip_ = nullptr;  // the clip the painter was set to
};

}  // namespace wordoria::platform
