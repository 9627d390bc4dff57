#pragma once

// The three banner labels that the main and result windows carry: the forum
// advertisement across the top and the two offers stacked at the bottom, of
// which the upper hides the lower.

class QLabel;

namespace platform {
class Desktop;
}

namespace windowkit {

enum class BottomBanner { CoBrand, FullBrand };

// Gives the labels their captions and colours and makes each a link to its
// page: the forum to the home page, the offers to theirs.
void setUpBanners(QLabel *forum, QLabel *coBrand, QLabel *fullBrand, platform::Desktop &desktop);
void bringBannerToFront(QLabel *coBrand, QLabel *fullBrand, BottomBanner which);

} // namespace windowkit
