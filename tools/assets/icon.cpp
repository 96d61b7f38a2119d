#include "icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace dm::assets {

namespace {

// Shapes only, no text, so every renderer draws the same picture without fonts.
constexpr const char* kSvg = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <radialGradient id="felt" cx="0.45" cy="0.4" r="0.75">
      <stop offset="0" stop-color="#3aa363"/>
      <stop offset="1" stop-color="#145a32"/>
    </radialGradient>
    <linearGradient id="back" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#3b5fc0"/>
      <stop offset="1" stop-color="#1d2f72"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#felt)" stroke="#0b3a1f" stroke-width="6"/>
  <g transform="translate(98 130) rotate(-15)">
    <rect x="-54" y="-76" width="108" height="152" rx="11" fill="#fdfdf8" stroke="#1b1b1b" stroke-width="3"/>
    <rect x="-44" y="-66" width="88" height="132" rx="6" fill="url(#back)"/>
    <path d="M0,-52 L30,0 L0,52 L-30,0 Z" fill="none" stroke="#e8c547" stroke-width="6"/>
    <circle cx="0" cy="0" r="9" fill="#e8c547"/>
  </g>
  <g transform="translate(152 134) rotate(11)">
    <rect x="-54" y="-76" width="108" height="152" rx="11" fill="#fdfdf8" stroke="#1b1b1b" stroke-width="3"/>
    <path d="M0,34 C-52,0 -46,-40 -20,-42 C-9,-43 -2,-35 0,-27 C2,-35 9,-43 20,-42 C46,-40 52,0 0,34 Z"
          fill="#d21f2b"/>
    <path d="M-38,-50 L-31,-66 L-24,-50 M-35,-56 L-27,-56" fill="none" stroke="#d21f2b" stroke-width="4"
          stroke-linecap="round" stroke-linejoin="round"/>
    <path d="M38,50 L31,66 L24,50 M35,56 L27,56" fill="none" stroke="#d21f2b" stroke-width="4"
          stroke-linecap="round" stroke-linejoin="round"/>
  </g>
</svg>
)svg";

}  // namespace

QByteArray iconSvg() { return QByteArray(kSvg); }

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(iconSvg());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace dm::assets
