#include "VoicePlayer.h"

#include "speech/AnnouncementText.h"
#include "speech/Sentences.h"
#include "speech/WaveImage.h"

namespace diglux {
namespace {

// The smallest clip that holds a sample.
constexpr std::size_t kMinClipSize = kWaveHeaderSize + 1;
// Systems below this version go through the announcement file.
constexpr float kMemoryPlaybackVersion = 6.0f;

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

VoicePlayer::VoicePlayer(SoundPlayer& player, const Resources& resources, Desktop& desktop,
                         const Environment& environment, FileSystem* files,
                         const std::string& sagZeitWavPath)
    : player_(player), resources_(resources), desktop_(desktop), environment_(environment),
      files_(files), sagZeitWavPath_(sagZeitWavPath) {}

bool VoicePlayer::Fail() {
    desktop_.Beep();
    return false;
}

bool VoicePlayer::Ansage(const Announcement& what, const std::string& fileName) {
    const std::string dateSentence =
        what.date ? DatumInWorten(*what.date, {what.withWeekday, kVoiceForm}) : "";
    const std::string timeSentence =
        what.time ? ZeitInWorten(*what.time, {what.withSeconds, kVoiceForm}) : "";
    WaveImage image;
    for (const std::string& word :
         AnnouncementWords(AnnouncementText(dateSentence, timeSentence, what.alarm))) {
        const auto clip = resources_.Load(word == "Alarm" ? kSoundResType : kVoiceResType, word);
        if (clip.size() < kMinClipSize) {
            return Fail();
        }
        image.Append(clip);
    }
    if (image.Empty()) {
        return Fail();
    }
    const std::vector<std::uint8_t>& bytes = image.Finish();
    const std::string file = TrimBlanks(fileName);
    if (file.empty()) {
        player_.PlayMem(bytes, {.async = true});
        return true;
    }
    return (files_ != nullptr && files_->WriteFile(file, bytes)) || Fail();
}

bool VoicePlayer::SagZeitX(const Announcement& what) {
    if (environment_.WinVersion() >= kMemoryPlaybackVersion) {
        return Ansage(what);
    }
    const bool said = Ansage(what, sagZeitWavPath_);
    // PlayFile has read the whole file when it returns, so the file can go at once.
    if (files_ != nullptr && files_->FileLength(sagZeitWavPath_) > 44) {
        player_.PlayFile(sagZeitWavPath_);
        files_->RemoveFile(sagZeitWavPath_);
    }
    return said;
}

} // namespace diglux
