#include "LedPainter.h"

#include <algorithm>

namespace diglux::glyphgen {

GreyCanvas PaintLed(int width, int height, const std::vector<LedElement>& elements,
                    const LedLook& look) {
    GreyCanvas litCover(width, height);
    GreyCanvas litLight(width, height);
    GreyCanvas unlitCover(width, height);
    GreyCanvas unlitLight(width, height);
    auto lit = [&look](double depth) {
        return look.litEdge + (look.litCentre - look.litEdge) * SmoothStep(0, look.bevel, depth);
    };
    auto unlit = [&look](double depth) {
        return look.unlitEdge +
               (look.unlitCentre - look.unlitEdge) * SmoothStep(0, look.bevel, depth);
    };
    for (const LedElement& element : elements) {
        if (element.lit) {
            RenderShape(element.shape, look.samples, litCover, &litLight, lit);
        } else {
            RenderShape(element.shape, look.samples, unlitCover, &unlitLight, unlit);
        }
    }
    GreyCanvas glow(width, height);
    for (const GlowLayer& layer : look.glow) {
        const GreyCanvas spread = Blur(litCover, layer.sigma);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                glow.At(x, y) += static_cast<float>(255.0 * layer.strength * spread.At(x, y));
            }
        }
    }
    // Lit faces cover whatever lies behind them; the glow lights the unlit parts and the
    // background additively, as light from a neighbouring segment would.
    GreyCanvas result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float cover = std::min(1.0f, litCover.At(x, y));
            const float behind = unlitLight.At(x, y) + glow.At(x, y);
            result.At(x, y) = std::clamp(litLight.At(x, y) + (1.0f - cover) * behind, 0.0f, 255.0f);
        }
    }
    return result;
}

} // namespace diglux::glyphgen
