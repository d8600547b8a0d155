#include "panel_parts.h"

#include "meter_scale.h"
#include "shapes.h"

#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Light falls from the upper left: 1 on that side of a round part, -1 on the far side.
double lightFacing(double dx, double dy) {
  const double length = std::hypot(dx, dy);
  return length > 0 ? (-dx - dy) / (length * std::sqrt(2.0)) : 0;
}

} // namespace

void drawPanelBase(Canvas &canvas, const Theme &theme) {
  const int w = canvas.width(), h = canvas.height();
  for (int y = 0; y < h; ++y) {
    const double t = (y + 0.5) / h;
    // A faint horizontal light band near the top reads as a curved metal front.
    const double band = 0.06 * std::exp(-std::pow((t - 0.18) / 0.2, 2));
    const Rgb row = scale(mix(theme.panelTop, theme.panelBottom, t), 1 + band);
    for (int x = 0; x < w; ++x) {
      // Brushed finish: grain stretched along x.
      const double streak =
          grain(x / 23, y, 7) * 0.5 + grain(x / 5, y, 11) * 0.35 + grain(x, y, 13) * 0.15;
      canvas.set(x, y, scale(row, 1 + theme.grainAmount * streak));
    }
  }
  // Bevelled edge of the front plate.
  for (int x = 0; x < w; ++x) {
    canvas.blend(x, 0, rgb(255, 255, 255), 0.22);
    canvas.blend(x, 1, rgb(255, 255, 255), 0.08);
    canvas.blend(x, h - 1, rgb(0, 0, 0), 0.55);
    canvas.blend(x, h - 2, rgb(0, 0, 0), 0.2);
  }
  for (int y = 0; y < h; ++y) {
    canvas.blend(0, y, rgb(255, 255, 255), 0.14);
    canvas.blend(w - 1, y, rgb(0, 0, 0), 0.45);
    canvas.blend(w - 2, y, rgb(0, 0, 0), 0.15);
  }
}

void drawScrew(Canvas &canvas, double cx, double cy, const Theme &theme) {
  const double r = 3.6;
  paintShadow(
      canvas, boundsAround(cx, cy, r + 3),
      [&](double x, double y) { return circleDistance(x, y, cx + 0.5, cy + 0.8, r); }, 1.2, 0.5);
  const Rgb metal = mix(theme.panelTop, rgb(200, 200, 205), 0.55);
  paintShape(
      canvas, boundsAround(cx, cy, r),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, r); },
      [&](double x, double y) {
        return scale(metal, 1 + 0.35 * lightFacing(x - cx, y - cy) * -1 + 0.1 * (cy - y) / r);
      });
  // Cross slot, turned a little so the screws do not look pasted.
  const double a = 0.5;
  for (int k = 0; k < 2; ++k) {
    const double ux = std::cos(a + k * kPi / 2), uy = std::sin(a + k * kPi / 2);
    paintShape(
        canvas, boundsAround(cx, cy, r),
        [&](double x, double y) {
          const double along = (x - cx) * ux + (y - cy) * uy;
          const double across = -(x - cx) * uy + (y - cy) * ux;
          return std::max(std::abs(across) - 0.45, std::abs(along) - 2.6);
        },
        [&](double, double) { return scale(metal, 0.35); });
  }
}

void drawWell(Canvas &canvas, PixelRect area, double radius, double depth, const Theme &theme) {
  const double l = area.left, t = area.top, r = area.right, b = area.bottom;
  PixelRect box{area.left - 2, area.top - 2, area.right + 2, area.bottom + 2};
  // Lit lower edge, then the dark floor with its shadow falling from the upper edge.
  paintShape(
      canvas, box,
      [&](double x, double y) { return roundRectDistance(x, y, l, t, r, b + 1, radius); },
      [&](double, double) { return rgb(255, 255, 255); }, 0.12);
  paintShape(
      canvas, box, [&](double x, double y) { return roundRectDistance(x, y, l, t, r, b, radius); },
      [&](double x, double y) {
        const double edge = -roundRectDistance(x, y, l, t, r, b, radius);
        const double fromTop = y - t;
        const double shade = 1 - 0.35 * std::exp(-fromTop / 2.5) - 0.15 * std::exp(-edge / 2);
        return scale(theme.well, shade * (1.0 - 0.1 * (depth - 1)));
      });
}

void drawKnobScale(Canvas &canvas, double cx, double cy, double radius, const Theme &theme) {
  const int count = 11;
  for (int i = 0; i < count; ++i) {
    const double angle = (225.0 - 270.0 * i / (count - 1)) * kPi / 180;
    const double dx = cx + std::cos(angle) * radius, dy = cy - std::sin(angle) * radius;
    const bool end = i == 0 || i == count - 1 || i == count / 2;
    const double dot = end ? 1.15 : 0.8;
    paintShape(
        canvas, boundsAround(dx, dy, dot),
        [&](double x, double y) { return circleDistance(x, y, dx, dy, dot); },
        [&](double, double) { return theme.scaleMark; });
  }
}

void drawKnob(Canvas &canvas, double cx, double cy, double radius, const Theme &theme) {
  const double knurl = radius > 25 ? 3.5 : 2.8;
  const double cap = radius - knurl;
  paintShadow(
      canvas, boundsAround(cx + 2, cy + 3, radius + 4),
      [&](double x, double y) { return circleDistance(x, y, cx + 1.2, cy + 2.4, radius); }, 2.6,
      0.7);
  // Skirt: fine knurling lit from the upper left.
  const double grooves = std::round(radius * 2.2);
  paintShape(
      canvas, boundsAround(cx, cy, radius),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, radius); },
      [&](double x, double y) {
        const double angle = std::atan2(y - cy, x - cx);
        const double ridge = 0.5 + 0.5 * std::cos(angle * grooves);
        const double light = lightFacing(x - cx, y - cy);
        Rgb c = scale(theme.knobSkirt, (0.75 + 0.45 * ridge) * (1 + 0.55 * light));
        const double rim = std::hypot(x - cx, y - cy);
        if (rim > radius - 0.9) // outer rim catches a little light all round
          c = mix(c, scale(theme.knobSkirt, 1.6), 0.25);
        return c;
      });
  // Dark step between skirt and cap.
  paintShape(
      canvas, boundsAround(cx, cy, cap + 0.6),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, cap + 0.6); },
      [&](double, double) { return scale(theme.knobSkirt, 0.35); });
  // Cap: a slightly domed, spun-metal top.
  const double hx = cx - cap * 0.35, hy = cy - cap * 0.45;
  paintShape(
      canvas, boundsAround(cx, cy, cap),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, cap); },
      [&](double x, double y) {
        const double d = std::hypot(x - hx, y - hy) / (cap * 1.7);
        Rgb c = mix(theme.knobCapLight, theme.knobCapDark, std::clamp(d, 0.0, 1.0));
        const double angle = std::atan2(y - cy, x - cx);
        const double spun = 0.07 * std::cos(2 * angle + 0.9) + 0.035 * std::cos(4 * angle);
        const double rings = 0.025 * grain(int(std::hypot(x - cx, y - cy) * 4), 0, 3);
        c = scale(c, 1 + spun + rings);
        const double edge = cap - std::hypot(x - cx, y - cy);
        if (edge < 1.2) // chamfer: light on the upper left, shadow on the lower right
          c = mix(c, scale(c, 1 + 0.8 * lightFacing(x - cx, y - cy)), 0.6 * (1.2 - edge));
        return c;
      });
}

void drawButton(Canvas &canvas, PixelRect area, bool on, const Theme &theme) {
  const double l = area.left + 1.5, t = area.top + 1.5;
  const double r = area.right - 1.5, b = area.bottom - 1.5;
  const double press = on ? 0.6 : 0.0;
  paintShadow(
      canvas, area,
      [&](double x, double y) {
        return roundRectDistance(x, y, l + 0.4, t + 1.2 - press, r + 0.4, b + 0.8 - press, 2);
      },
      on ? 0.7 : 1.1, on ? 0.45 : 0.75);
  paintShape(
      canvas, area,
      [&](double x, double y) { return roundRectDistance(x, y, l, t + press, r, b, 2.2); },
      [&](double x, double y) {
        const double v = (y - t) / (b - t);
        Rgb c = scale(theme.buttonCap, (on ? 0.88 : 1.12) - 0.3 * v);
        const double edge = -roundRectDistance(x, y, l, t + press, r, b, 2.2);
        if (edge < 1.0 && y < (t + b) / 2)
          c = mix(c, scale(c, 1.5), 0.5 * (1 - edge));
        if (edge < 1.0 && y >= (t + b) / 2)
          c = mix(c, scale(c, 0.55), 0.5 * (1 - edge));
        return c;
      });
  // Indicator stripe across the middle of the key.
  const double mx = (l + r) / 2, my = (t + press + b) / 2;
  const double hw = (r - l) * 0.3, hh = 1.3;
  paintShape(
      canvas, area,
      [&](double x, double y) {
        return roundRectDistance(x, y, mx - hw - 0.7, my - hh - 0.7, mx + hw + 0.7, my + hh + 0.7,
                                 1.5);
      },
      [&](double, double) { return scale(theme.buttonCap, 0.3); });
  paintShape(
      canvas, area,
      [&](double x, double y) {
        return roundRectDistance(x, y, mx - hw, my - hh, mx + hw, my + hh, 1);
      },
      [&](double x, double y) {
        if (!on)
          return scale(theme.buttonLedOff, 1.1 - 0.3 * (y - my + hh) / (2 * hh));
        const double hot =
            std::exp(-std::pow((x - mx) / (hw * 0.9), 2) - std::pow((y - my + 0.3) / hh, 2));
        return mix(theme.buttonLedOn, rgb(255, 250, 225), 0.55 * hot);
      });
}

void drawJewelLamp(Canvas &canvas, double cx, double cy, double radius, bool on,
                   const Theme &theme) {
  const double lens = radius - 2.2;
  paintShape(
      canvas, boundsAround(cx, cy, radius),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, radius); },
      [&](double x, double y) {
        const double light = lightFacing(x - cx, y - cy);
        const double across = std::hypot(x - cx, y - cy) - (radius - 1.1);
        // A turned chrome bezel: bright on the lit side, a dark seat toward the lens.
        return scale(rgb(150, 152, 158), 1 + 0.55 * light - 0.25 * std::abs(across));
      });
  paintShape(
      canvas, boundsAround(cx, cy, lens + 0.8),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, lens + 0.8); },
      [&](double, double) { return rgb(18, 16, 14); });
  paintShape(
      canvas, boundsAround(cx, cy, lens),
      [&](double x, double y) { return circleDistance(x, y, cx, cy, lens); },
      [&](double x, double y) {
        const double d = std::hypot(x - cx, y - cy) / lens;
        Rgb c;
        if (on)
          c = mix(mix(rgb(255, 246, 200), theme.lampOn, std::min(1.0, d * 1.6)),
                  scale(theme.lampOn, 0.6), std::max(0.0, d - 0.75) * 3);
        else
          c = scale(theme.lampOff, 1.05 - 0.45 * d);
        // Facets of the jewel lens.
        const double angle = std::atan2(y - cy, x - cx);
        c = scale(c, 1 + 0.08 * std::cos(angle * 6) * d);
        return c;
      });
  // Reflection of the room on the glass.
  const double sx = cx - lens * 0.38, sy = cy - lens * 0.42;
  paintShape(
      canvas, boundsAround(sx, sy, lens * 0.35),
      [&](double x, double y) { return circleDistance(x, y, sx, sy, lens * 0.3); },
      [&](double, double) { return rgb(255, 255, 250); }, on ? 0.55 : 0.35);
}

void drawLed(Canvas &canvas, PixelRect area, bool on, const Theme &theme) {
  const double l = area.left, t = area.top, r = area.right, b = area.bottom;
  paintShape(
      canvas, area, [&](double x, double y) { return roundRectDistance(x, y, l, t, r, b, 1.5); },
      [&](double, double) { return rgb(12, 10, 10); });
  const double mx = (l + r) / 2, my = (t + b) / 2;
  paintShape(
      canvas, area,
      [&](double x, double y) { return roundRectDistance(x, y, l + 1, t + 1, r - 1, b - 1, 1); },
      [&](double x, double y) {
        if (!on)
          return scale(theme.lampOff, 1.1 - 0.35 * (y - t) / (b - t));
        const double hot =
            std::exp(-std::pow((x - mx) / ((r - l) * 0.35), 2) - std::pow((y - my) / 2.0, 2));
        return mix(rgb(255, 40, 30), rgb(255, 225, 200), 0.7 * hot);
      });
}

namespace {

// Colour of the lit bar at a level: green, amber from -18 dB, red from -6 dB.
Rgb meterColour(double db) {
  const Rgb green = rgb(70, 230, 70), amber = rgb(255, 190, 30), red = rgb(255, 45, 35);
  if (db < -20)
    return green;
  if (db < -16)
    return mix(green, amber, (db + 20) / 4);
  if (db < -7)
    return amber;
  if (db < -5)
    return mix(amber, red, (db + 7) / 2);
  return red;
}

} // namespace

void drawMeterStrip(Canvas &canvas, PixelRect bar, bool on) {
  const int w = bar.width(), h = bar.height();
  for (int y = 0; y < h; ++y) {
    // Round tube: brightest just above the middle.
    const double v = (y + 0.5) / h;
    const double tube = 1.0 - 0.9 * std::pow(v - 0.4, 2) * 2.2;
    for (int x = 0; x < w; ++x) {
      const double db = (x + 0.5) / w * 60 - 60;
      const bool gap = x % 4 == 3; // segmented like an LED ladder
      Rgb c = meterColour(db);
      if (on) {
        c = scale(c, tube * (gap ? 0.55 : 1.0));
        if (y == 1 && !gap)
          c = mix(c, rgb(255, 255, 240), 0.35);
      } else {
        c = scale(c, (gap ? 0.06 : 0.16) * tube);
        c = mix(c, rgb(20, 20, 22), 0.35);
      }
      canvas.set(bar.left + x, bar.top + y, c);
    }
  }
}

void drawLcd(Canvas &canvas, PixelRect area, int divider, const Theme &theme) {
  // The bezel lies inside the displays on the left, where right-aligned text never reaches,
  // and just outside them elsewhere, leaving room for captions to the left.
  const double l = area.left + 2, t = area.top, r = area.right, b = area.bottom;
  PixelRect outer{area.left, area.top - 3, area.right + 3, area.bottom + 3};
  paintShape(
      canvas, outer,
      [&](double x, double y) { return roundRectDistance(x, y, l - 2, t - 2, r + 2, b + 2, 2.5); },
      [&](double, double y) { return y < (t + b) / 2 ? rgb(14, 15, 18) : rgb(64, 66, 72); });
  paintShape(
      canvas, outer,
      [&](double x, double y) { return roundRectDistance(x, y, l - 1, t - 1, r + 1, b + 1, 1.5); },
      [&](double, double) { return rgb(8, 9, 10); });
  paintShape(
      canvas, outer, [&](double x, double y) { return roundRectDistance(x, y, l, t, r, b, 1); },
      [&](double x, double y) {
        const double v = (y - t) / (b - t);
        Rgb c = mix(theme.lcdTop, theme.lcdBottom, v);
        c = scale(c, 1 - 0.28 * std::exp(-(y - t) / 1.6) - 0.12 * std::exp(-(x - l) / 1.6));
        return scale(c, 1 + 0.015 * grain(int(x), int(y), 5));
      });
  for (int y = area.top + 3; y < area.bottom - 3; ++y)
    canvas.blend(divider, y, scale(theme.lcdBottom, 0.8), 0.5);
}

void drawMeterScale(Canvas &canvas, TextRenderer &text, PixelRect bar, int top,
                    const Theme &theme) {
  TextStyle style{theme.captionFont, 9, theme.caption};
  for (int db = -60; db <= 0; db += 3) {
    const int x = bar.left + meterScaleOffset(db, bar.width());
    const bool major = db % 6 == 0;
    for (int y = 0; y < (major ? 3 : 2); ++y)
      canvas.blend(x, top + y, theme.scaleMark, major ? 0.95 : 0.7);
    if (major) {
      const std::string label = std::to_string(db);
      TextStyle shadow = style;
      shadow.colour = theme.captionShadow;
      text.draw(canvas, shadow, x + 0.5, top + 12, label, Align::Centre);
      text.draw(canvas, style, x + 0.5, top + 11, label, Align::Centre);
    }
  }
}

void drawCaption(Canvas &canvas, TextRenderer &text, const Theme &theme, double x, int baseline,
                 const std::string &caption, Align align, double tracking) {
  TextStyle style{theme.captionFont, 9, theme.captionShadow, tracking};
  text.draw(canvas, style, x, baseline + 1, caption, align);
  style.colour = theme.caption;
  text.draw(canvas, style, x, baseline, caption, align);
}

Canvas makeHandle(int width, int height, const Theme &theme) {
  Canvas out(width, height, rgb(255, 255, 255));
  // Centre of the pixel the knob's handle position falls on (see the face centre choice).
  const double cx = width / 2 + 0.5, cy = height / 2 + 0.5;
  const double outer = std::min(width, height) / 2.0 - 0.05, core = outer - 0.8;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double a = coverage(d - outer);
      if (a <= 0)
        continue;
      // Edges blend toward the cap's own tone rather than the white key colour.
      const Rgb body = mix(theme.handleRing, theme.handleCore, coverage(d - core));
      out.set(x, y, mix(theme.knobCapDark, body, a));
    }
  return out;
}

void drawNameplate(Canvas &canvas, TextRenderer &text, const Theme &theme, int left, int top,
                   const std::string &product, const std::string &kind) {
  TextStyle logo{theme.boldFont, 12, theme.caption, 0.4};
  TextStyle tag{theme.captionFont, 9, theme.caption, 0.8};
  const double logoWidth = text.measure(logo, product);
  const double width = logoWidth + 8 + text.measure(tag, kind) + 10;
  const PixelRect plate{left, top, left + int(std::ceil(width)), top + 13};
  drawWell(canvas, plate, 2.5, 1.3, theme);
  const int baseline = plate.top + 11;
  text.draw(canvas, logo, plate.left + 4, baseline, product);
  tag.colour = mix(theme.caption, theme.well, 0.25);
  text.draw(canvas, tag, plate.left + 4 + logoWidth + 7, baseline - 1, kind);
}

void drawGroove(Canvas &canvas, int left, int right, int y, const Theme &theme) {
  for (int x = left; x < right; ++x) {
    const double fade = std::min({1.0, (x - left + 1) / 6.0, (right - x) / 6.0});
    canvas.blend(x, y, theme.captionShadow, 0.55 * fade);
    canvas.blend(x, y + 1, rgb(255, 255, 255), 0.1 * fade);
  }
}

void drawVents(Canvas &canvas, PixelRect area, int count, const Theme &theme) {
  const double pitch = double(area.height()) / count;
  for (int i = 0; i < count; ++i) {
    const double t = area.top + i * pitch, b = t + pitch * 0.45;
    drawWell(canvas,
             {area.left, int(std::lround(t)), area.right, int(std::lround(std::max(b, t + 3)))},
             1.5, 2, theme);
  }
}
