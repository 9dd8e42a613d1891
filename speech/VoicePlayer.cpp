#include "VoicePlayer.h"

#include "app/TimeText.h"
#include "speech/AnnouncementText.h"
#include "speech/Sentences.h"
#include "speech/WaveImage.h"
#include "speech/WhenText.h"

namespace diglux {
namespace {

// The smallest clip that holds a sample.
constexpr std::size_t kMinClipSize = kWaveHeaderSize + 1;
// Systems below this version go through the announcement file.
constexpr float kMemoryPlaybackVersion = 6.0f;

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

VoicePlayer::VoicePlayer(SoundPlayer& player, const Resources& resources, Desktop& desktop,
                         const Clock& clock, const ClockState& state,
                         const Environment& environment, FileSystem* files)
    : player_(player), resources_(resources), desktop_(desktop), clock_(clock), state_(state),
      environment_(environment), files_(files) {}

bool VoicePlayer::Fail() {
    desktop_.Beep();
    return false;
}

bool VoicePlayer::Resolve(const AnsageWhen& when, std::optional<LocalDateTime>& value) const {
    value.reset();
    if (const auto* moment = std::get_if<LocalDateTime>(&when)) {
        value = *moment;
    } else if (const auto* number = std::get_if<int>(&when); number && *number == 1) {
        value = clock_.Now();
    } else if (const auto* text = std::get_if<std::string>(&when); text && !text->empty()) {
        value = ReadWhenText(*text);
        return value.has_value();
    }
    return true;
}

bool VoicePlayer::Ansage(const AnsageWhen& zeit, const AnsageWhen& datum, bool withSeconds,
                         const std::string& fileName, bool wait, bool withWeekday, bool alarm) {
    std::optional<LocalDateTime> time;
    std::optional<LocalDateTime> date;
    if (!Resolve(zeit, time) || !Resolve(datum, date)) {
        return Fail();
    }
    const std::string dateSentence =
        date ? DatumInWorten(date, clock_, withWeekday, true, true, true) : "";
    const std::string timeSentence = time ? ZeitInWorten(*time, withSeconds, true, true, true) : "";
    WaveImage image;
    for (const std::string& word :
         AnnouncementWords(AnnouncementText(dateSentence, timeSentence, alarm))) {
        const std::string& type = word == "Alarm" ? state_.SoundResType : state_.VoiceResType;
        const auto clip = resources_.Load(type, word);
        if (clip.size() < kMinClipSize) {
            return Fail();
        }
        image.Append(clip);
    }
    if (image.Empty()) {
        return Fail();
    }
    const std::vector<std::uint8_t>& bytes = image.Finish();
    if (IsBlank(fileName)) {
        player_.PlayMem(bytes, {.async = !wait});
        return true;
    }
    if (files_ == nullptr || !files_->WriteFile(TrimBlanks(fileName), bytes)) {
        return Fail();
    }
    return true;
}

bool VoicePlayer::SagZeitX(const SagZeitRequest& request) {
    const auto when = ReadWhenText(request.whenText);
    if (!when && (request.sayTime || request.sayDate)) {
        return Fail();
    }
    const std::string zeit = request.sayTime ? FormatTimeOfDay(*when) : "";
    const std::string datum = request.sayDate ? FormatShortDate(*when) : "";
    if (environment_.WinVersion() >= kMemoryPlaybackVersion) {
        return Ansage(zeit, datum, request.withSeconds, "", request.wait, request.withWeekday,
                      request.alarm);
    }
    const bool said = Ansage(zeit, datum, request.withSeconds, state_.SagZeitWavPath, request.wait,
                             request.withWeekday, request.alarm);
    // The device reads the whole file before PlayFile returns, so it can go at once.
    if (files_ != nullptr && files_->FileLength(state_.SagZeitWavPath) > 44) {
        player_.PlayFile(state_.SagZeitWavPath);
        files_->RemoveFile(state_.SagZeitWavPath);
    }
    return said;
}

} // namespace diglux
