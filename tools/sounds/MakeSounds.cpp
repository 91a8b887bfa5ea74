// lumibo-sounds OUT_DIR: writes OUT_DIR/jieguo.wav, the sheet of feedback sounds and spoken greetings
// that the arithmetic screens play stretch by stretch, and OUT_DIR/sound.wav, the 47 pinyin letters
// as a teacher reads the chart aloud. 22 050 Hz mono 16-bit; the same bytes on every run, so the
// build output does not change without a reason.
//
// The stretches the program plays are those of the sound sheet (core/SoundSheet.h), some of
// them touching or overlapping. Every sound lies in its own window below, a few milliseconds
// inside each cut point, so each stretch played alone starts and ends in silence and never cuts
// a neighbour's sound in half.

#include "core/SoundSheet.h"
#include "pinyin/PinyinLetterTable.h"

#include <espeak-ng/speak_lib.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
namespace clips = core::jieguo;
constexpr int kTotalMs = clips::kEndMs + 33;

using Samples = std::vector<float>; // -1..1

[[noreturn]] void fail(const std::string &message) {
    std::fprintf(stderr, "lumibo-sounds: %s; sound files not written.\n", message.c_str());
    std::exit(1);
}

long sampleAt(double ms) {
    return std::lround(ms * kRate / 1000.0);
}

double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

// Scales a clip so its loudest sample sits at the given level.
void normalise(Samples &clip, double peakDb) {
    float peak = 0;
    for (float s : clip)
        peak = std::max(peak, std::abs(s));
    if (peak <= 0) return;
    const float gain = float(dbToGain(peakDb) / peak);
    for (float &s : clip)
        s *= gain;
}

// Smooth fade at both ends, so a clip never starts or stops with a click.
void fadeEdges(Samples &clip, double inMs, double outMs) {
    const long in = std::min<long>(sampleAt(inMs), long(clip.size()));
    const long out = std::min<long>(sampleAt(outMs), long(clip.size()));
    for (long i = 0; i < in; ++i)
        clip[i] *= float(0.5 - 0.5 * std::cos(std::numbers::pi * i / in));
    for (long i = 0; i < out; ++i)
        clip[clip.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(std::numbers::pi * i / out));
}

struct Partial {
    double ratio; // of the fundamental
    double gain;
    double decayScale; // higher partials die away sooner, as in a struck bar
};

// A struck tone: near-instant attack, exponential decay.
void addStruck(Samples &clip, double startMs, double freq, double decaySeconds,
               std::initializer_list<Partial> partials, double gain) {
    const long start = sampleAt(startMs);
    for (long i = start; i < long(clip.size()); ++i) {
        const double t = double(i - start) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        double v = 0;
        for (const Partial &p : partials)
            v += p.gain * std::exp(-t / (decaySeconds * p.decayScale)) *
                 std::sin(2 * std::numbers::pi * freq * p.ratio * t);
        clip[i] += float(gain * attack * v);
    }
}

// A soft held tone, gliding gently from one pitch to another, with rounded start and end.
void addSoft(Samples &clip, double startMs, double lengthMs, double freqFrom, double freqTo) {
    const long start = sampleAt(startMs);
    const long length = sampleAt(lengthMs);
    const long attack = sampleAt(30);
    const long release = sampleAt(80);
    double phase = 0;
    for (long k = 0; k < length && start + k < long(clip.size()); ++k) {
        const double f = freqFrom + (freqTo - freqFrom) * double(k) / double(length);
        phase += 2 * std::numbers::pi * f / kRate;
        double env = 1.0 - 0.3 * double(k) / double(length);
        if (k < attack) env *= 0.5 - 0.5 * std::cos(std::numbers::pi * k / attack);
        if (length - k < release) env *= 0.5 - 0.5 * std::cos(std::numbers::pi * (length - k) / release);
        // Mostly the fundamental: a round, quiet sound rather than a buzzer.
        clip[start + k] +=
            float(env * (std::sin(phase) + 0.18 * std::sin(2 * phase) + 0.05 * std::sin(3 * phase)));
    }
}

Samples chime() {
    Samples clip(sampleAt(1205), 0.0f);
    const std::initializer_list<Partial> bar{{1.0, 1.0, 1.0}, {2.0, 0.3, 0.5}, {3.0, 0.1, 0.33}};
    addStruck(clip, 0, 1046.50, 0.22, bar, 1.0);   // C6
    addStruck(clip, 110, 1318.51, 0.22, bar, 0.9); // E6
    addStruck(clip, 220, 1567.98, 0.32, bar, 0.9); // G6, left ringing
    fadeEdges(clip, 0, 200);
    normalise(clip, -4.0);
    return clip;
}

Samples tryAgain() {
    Samples clip(sampleAt(400), 0.0f);
    addSoft(clip, 0, 170, 392.00, 392.00);   // G4
    addSoft(clip, 190, 210, 329.63, 311.13); // E4, sinking a little: "not quite", kindly
    normalise(clip, -14.0);
    return clip;
}

Samples ding() {
    Samples clip(sampleAt(270), 0.0f);
    addStruck(clip, 0, 1760.0, 0.09, {{1.0, 1.0, 1.0}, {2.0, 0.25, 0.5}, {2.76, 0.15, 0.3}}, 1.0); // A6
    fadeEdges(clip, 0, 40);
    normalise(clip, -4.0);
    return clip;
}

class Mandarin {
  public:
    Mandarin() {
        // DONT_EXIT: a missing data folder must end in our message, not in espeak's exit().
        if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) != kRate)
            fail("the espeak-ng engine or its data (package espeak-ng-data) is missing");
        // The plain "cmn" voice reads many single characters as English letters; tone-numbered
        // pinyin through this voice speaks every syllable in Mandarin.
        if (espeak_SetVoiceByName("cmn-latn-pinyin") != EE_OK)
            fail("the espeak-ng Mandarin pinyin voice cmn-latn-pinyin is missing");
        espeak_SetSynthCallback(collect);
        // Below full volume: espeak clips its own peaks at 100; we set the level ourselves later.
        espeak_SetParameter(espeakVOLUME, 60, 0);
    }

    // Speaks the pinyin at the slowest rate, from preferredRate up, that fits in maxMs.
    Samples fit(const char *pinyin, int preferredRate, double maxMs, int *usedRate) {
        for (int rate = preferredRate; rate <= 260; rate += 5) {
            Samples clip = speak(pinyin, rate);
            if (clip.size() <= size_t(sampleAt(maxMs))) {
                *usedRate = rate;
                return clip;
            }
        }
        fail(std::string("\"") + pinyin + "\" does not fit in " + std::to_string(int(maxMs)) + " ms");
    }

    // The phonemes the engine makes of the pinyin, as `espeak-ng -v cmn-latn-pinyin -x` prints them.
    static std::string phonemes(const char *pinyin) {
        const void *text = pinyin;
        const char *out = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, 0);
        return out ? out : "";
    }

  private:
    static int collect(short *samples, int count, espeak_EVENT *events) {
        if (samples && count > 0 && events && events->user_data) {
            auto *out = static_cast<std::vector<short> *>(events->user_data);
            out->insert(out->end(), samples, samples + count);
        }
        return 0;
    }

    static Samples speak(const char *pinyin, int rate) {
        std::vector<short> raw;
        espeak_SetParameter(espeakRATE, rate, 0);
        if (espeak_Synth(pinyin, std::strlen(pinyin) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                         &raw) != EE_OK)
            fail(std::string("espeak-ng could not speak \"") + pinyin + "\"");
        // Drop the engine's silent lead-in and trailing pause; the layout gives the gaps.
        constexpr int kQuiet = 64;
        const auto loud = [](short s) { return std::abs(int(s)) > kQuiet; };
        const auto first = std::find_if(raw.begin(), raw.end(), loud);
        const auto last = std::find_if(raw.rbegin(), raw.rend(), loud).base();
        if (first >= last) fail(std::string("espeak-ng gave silence for \"") + pinyin + "\"");
        Samples clip;
        clip.reserve(size_t(last - first));
        for (auto it = first; it != last; ++it)
            clip.push_back(float(*it) / 32768.0f);
        fadeEdges(clip, 3, 3);
        normalise(clip, -3.0);
        return clip;
    }
};

// Each letter as the chart is read aloud: finals in their own sound, first tone; initials with
// their reading vowel. The input is the tone-numbered pinyin the engine is given, the phonemes are
// what it must make of it (checked on every run), so an engine that reads a letter otherwise stops
// the build instead of shipping a wrong sound.
struct LetterSound {
    const char *letter;
    const char *input;
    const char *phonemes;
};
constexpr LetterSound kLetterSounds[] = {
    {"a", "a1", "'A55_|"},         {"o", "o1", "'o55_|"},        {"e", "e1", "'o-55_|"},
    {"i", "yi1", "j'i55_|"},       {"u", "wu1", "w'u55_|"},      {"ü", "yu1", ";'y55_|"},
    {"ai", "ai1", "'ai55_|"},      {"ei", "ei1", "'ei55_|"},     {"ui", "wei1", "w'ei55_|"},
    {"ao", "ao1", "'Au55_|"},      {"ou", "ou1", "'ou55_|"},     {"iu", "you1", "j'iou55_|"},
    {"ie", "ye1", "j'iE55_|"},     {"üe", "yue1", "'yE55_|"},    {"er", "er1", "'@r55_|"},
    {"an", "an1", "'a55n_|"},      {"en", "en1", "'@55n_|"},     {"in", "yin1", "j'i55n_|"},
    {"un", "wen1", "w'u@55n_|"},   {"ün", "yun1", ";'y@55n_|"},  {"ang", "ang1", "'A55N_|"},
    {"eng", "eng1", "'@55N_|"},    {"ing", "ying1", "j'i55N_|"}, {"ong", "ong1", "'ong55_|"},
    {"b", "bo1", "p'o55_|"},       {"p", "po1", "ph'o55_|"},     {"m", "mo1", "m'o55_|"},
    {"f", "fo1", "f'o55_|"},       {"d", "de1", "t'@55_|"},      {"t", "te1", "th'@55_|"},
    {"n", "ne1", "n'@55_|"},       {"l", "le1", "l'@55_|"},      {"g", "ge1", "k'o-55_|"},
    {"k", "ke1", "kh'o-55_|"},     {"h", "he1", "X'o-55_|"},     {"j", "ji1", "tS;'i55_|"},
    {"q", "qi1", "tS;h'i55_|"},    {"x", "xi1", "S;'i55_|"},     {"zh", "zhi1", "ts.'i.55_|"},
    {"ch", "chi1", "ts.h'i.55_|"}, {"sh", "shi1", "s.'i.55_|"},  {"r", "ri1", "z.'i.55_|"},
    {"z", "zi1", "ts'i[55_|"},     {"c", "ci1", "tsh'i[55_|"},   {"s", "si1", "s'i[55_|"},
    {"y", "yi1", "j'i55_|"},       {"w", "wu1", "w'u55_|"},
};
static_assert(std::size(kLetterSounds) == core::letters::kCount, "one sound per letter");

// Silence kept at each end of a letter's slice, so a slice played alone starts and ends quietly
// and no sound runs into its neighbour.
constexpr double kLetterMarginMs = 40;

struct Placed {
    const char *name;
    double fromMs;
    double lengthMs;
    int rate; // 0 for tones
};

void place(Samples &sheet, const Samples &clip, double fromMs, double toMs, const char *name, int rate,
           std::vector<Placed> &report) {
    const long from = sampleAt(fromMs);
    if (from + long(clip.size()) > sampleAt(toMs)) fail(std::string(name) + " is longer than its window");
    std::copy(clip.begin(), clip.end(), sheet.begin() + from);
    report.push_back({name, fromMs, clip.size() * 1000.0 / kRate, rate});
}

// Writes the samples as OUT_DIR/name, aside first and renamed, so a failed run never leaves half a
// file behind; then lists what was placed in it.
void writeWave(const std::filesystem::path &outDir, const char *name, const Samples &sheet,
               const std::vector<Placed> &report) {
    std::vector<short> pcm(sheet.size());
    for (size_t i = 0; i < sheet.size(); ++i)
        pcm[i] = short(std::clamp(std::lround(sheet[i] * 32767.0f), -32767L, 32767L));
    const std::filesystem::path target = outDir / name;
    const std::filesystem::path partial = outDir / (std::string(name) + ".part");
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file) fail(std::string("cannot write ") + partial.string() + ": " + sf_strerror(nullptr));
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const sf_count_t written = sf_writef_short(file, pcm.data(), sf_count_t(pcm.size()));
    sf_close(file);
    if (written != sf_count_t(pcm.size())) fail("short write to " + partial.string());
    std::error_code ec;
    std::filesystem::rename(partial, target, ec);
    if (ec) fail("cannot rename " + partial.string() + ": " + ec.message());

    for (const Placed &p : report) {
        std::printf("%s: %-24s %7.0f ms + %5.0f ms", name, p.name, p.fromMs, p.lengthMs);
        if (p.rate) std::printf("  (rate %d)", p.rate);
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumibo-sounds OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path outDir = argv[1];

    Samples sheet(sampleAt(kTotalMs), 0.0f);
    std::vector<Placed> report;
    Mandarin voice;
    const auto say = [&](const char *name, const char *pinyin, int preferredRate, double fromMs,
                         double toMs) {
        int rate = 0;
        const Samples clip = voice.fit(pinyin, preferredRate, toMs - fromMs, &rate);
        place(sheet, clip, fromMs, toMs, name, rate, report);
    };

    // Windows sit 8-18 ms inside the cut points of the stretches around them.
    place(sheet, chime(), clips::kRight.from + 8, clips::kRight.to - 12, "chime", 0, report);
    // 太棒了！你真棒！
    say("praise", "tai4 bang4 le5 ! ni3 zhen1 bang4 !", 160, clips::kRight.to + 63,
        clips::kRightWithPraise.to - 17);
    place(sheet, tryAgain(), clips::kWrong.from + 18, clips::kAdditionGreeting.from - 18, "try again", 0,
          report);
    // 小朋友，我们一起来学加法吧！准备好了吗？
    say("addition greeting",
        "xiao3 peng2 you3 , wo3 men5 yi4 qi3 lai2 xue2 jia1 fa3 ba5 ! zhun3 bei4 hao3 le5 ma5 ?", 140,
        clips::kWrong.to + 15, clips::kSubtractionGreeting.from - 15);
    // 小朋友，我们来学减法吧！ (减法 with its third-tone change written out: jian2 fa3)
    say("subtraction greeting", "xiao3 peng2 you3 , wo3 men5 lai2 xue2 jian2 fa3 ba5 !", 140,
        clips::kAdditionGreeting.to + 14, clips::kSubtractionGreeting.to - 16);
    // 小朋友，我们一起来学乘法口诀吧！一一得一，一二得二，二二得四。
    say("multiplication greeting",
        "xiao3 peng2 you3 , wo3 men5 yi4 qi3 lai2 xue2 cheng2 fa3 kou3 jue2 ba5 ! "
        "yi1 yi1 de2 yi1 , yi1 er4 de2 er4 , er4 er4 de2 si4 .",
        140, clips::kMultiplicationGreeting.from + 14, clips::kMultiplicationGreeting.to - 13);
    // 小朋友，我们一起来学除法吧！把糖果平均分一分。
    say("division greeting",
        "xiao3 peng2 you3 , wo3 men5 yi4 qi3 lai2 xue2 chu2 fa3 ba5 ! ba3 tang2 guo3 ping2 jun1 fen1 yi5 "
        "fen1 .",
        140, clips::kDivisionGreeting.from + 12, clips::kMatch.from - 17);
    // After the end of the division stretch, so that stretch carries no part of it.
    place(sheet, ding(), clips::kDivisionGreeting.to + 10, clips::kMatch.to - 12, "ding", 0, report);

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    writeWave(outDir, "jieguo.wav", sheet, report);
    report.clear();

    // sound.wav: letter k centred in its slice.
    Samples letters(sampleAt(core::letters::kEndMs), 0.0f);
    for (int k = 1; k <= core::letters::kCount; ++k) {
        const LetterSound &l = kLetterSounds[k - 1];
        if (std::strcmp(l.letter, pinyin::kLetters[k - 1].letter) != 0)
            fail("letter " + std::to_string(k) + " is \"" + pinyin::kLetters[k - 1].letter +
                 "\" in the letter table but \"" + l.letter + "\" here");
        const std::string heard = Mandarin::phonemes(l.input);
        if (heard != l.phonemes)
            fail(std::string("espeak-ng reads \"") + l.input + "\" as " + heard + ", not " + l.phonemes);
        const core::Clip slice = core::letters::clip(k);
        int rate = 0;
        Samples clip = voice.fit(l.input, 100, slice.length() - 2 * kLetterMarginMs, &rate);
        fadeEdges(clip, 8, 40);
        const double fromMs = slice.from + (slice.length() - clip.size() * 1000.0 / kRate) / 2;
        place(letters, clip, fromMs, slice.to - kLetterMarginMs, l.letter, rate, report);
    }
    writeWave(outDir, "sound.wav", letters, report);
    return 0;
}
