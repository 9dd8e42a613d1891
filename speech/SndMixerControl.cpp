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
        ChooseNow(MixerLine::Speakers, MixerControl::Volume);
    }
}

bool SndMixerControl::Choose(MixerLine line, MixerControl control) {
    return ChooseNow(line, control);
}

bool SndMixerControl::ChooseNow(MixerLine line, MixerControl control) const {
    chosen_ = true;
    lineName_.clear();
    controlName_.clear();
    line_ = line;
    control_ = control;
    const auto bounds = device_.Bounds(line, control);
    success_ = bounds.has_value();
    if (success_) {
        bounds_ = *bounds;
        lineName_ = device_.LineName(line);
        controlName_ = device_.ControlName(line, control);
    }
    return success_;
}

const std::string& SndMixerControl::ControlName() const {
    ChooseFirst();
    return lineName_;
}

const std::string& SndMixerControl::ChannelName() const {
    ChooseFirst();
    return controlName_;
}

bool SndMixerControl::Success() const {
    ChooseFirst();
    return success_;
}

int SndMixerControl::Value() const {
    ChooseFirst();
    if (!success_) {
        return 0;
    }
    const auto raw = device_.Get(line_, control_);
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
    device_.Set(line_, control_, static_cast<long>(raw));
}

} // namespace diglux
