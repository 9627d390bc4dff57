#pragma once

// The captions of the three banner labels that both windows carry: the
// forum advertisement across the top and the two offers at the bottom.

#include <QString>

class QLabel;

namespace test_window {

QString forumAdvert();
QString coBrandOffer();
QString fullBrandOffer();

// Gives the window's Label61, lblCobrand and lblFullBrand their captions and
// colours; the links themselves are wired elsewhere.
void dressBanners(QLabel *forum, QLabel *coBrand, QLabel *fullBrand);

} // namespace test_window
