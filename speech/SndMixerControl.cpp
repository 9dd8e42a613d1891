#include "SndMixerControl.h"

namespace diglux {

long long DivideRoundHalfEven(long long numerator, long long denominator) {
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) { // floor division, so that the remainder is 0 <= r < denominator
        --quotient;
        remainder += denominator;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

void SndMixerControl::ChooseFirst() const {
    if (!chosen_) {
        ChooseNow(MixerOutput::Master, MixerControl::Volume);
    }
}

bool SndMixerControl::Choose(MixerOutput output, MixerControl control) {
    return ChooseNow(output, control);
}

bool SndMixerControl::ChooseNow(MixerOutput output, MixerControl control) const {
    chosen_ = true;
    outputName_.clear();
    output_ = output;
    control_ = control;
    const auto bounds = device_.Bounds(output, control);
    success_ = bounds.has_value();
    if (success_) {
        bounds_ = *bounds;
        outputName_ = device_.OutputName(output);
    }
    return success_;
}

const std::string& SndMixerControl::ControlName() const {
    ChooseFirst();
    return outputName_;
}

int SndMixerControl::Value() const {
    ChooseFirst();
    if (!success_) {
        return 0;
    }
    const auto raw = device_.Get(output_, control_);
    long long span = static_cast<long long>(bounds_.maximum) - bounds_.minimum;
    if (!raw || span == 0) {
        return 0; // a control without a range has no percent
    }
    long long offset = static_cast<long long>(*raw) - bounds_.minimum;
    if (span < 0) {
        span = -span;
        offset = -offset;
    }
    return static_cast<int>(DivideRoundHalfEven(offset * 100, span));
}

void SndMixerControl::SetValue(int percent) {
    ChooseFirst();
    if (!success_ || percent < 0 || percent > 100) {
        return;
    }
    const long long span = static_cast<long long>(bounds_.maximum) - bounds_.minimum;
    const long long raw = DivideRoundHalfEven(span * percent, 100) + bounds_.minimum;
    device_.Set(output_, control_, static_cast<long>(raw));
}

} // namespace diglux
