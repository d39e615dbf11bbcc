#include "tools/media_gen/effects.h"

#include <cmath>
#include <cstdint>

#include "tools/media_gen/wave_writer.h"

namespace media_gen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kEffectRate;
constexpr double kPeak = 0.7;  // about -3 dB below full scale

// Noise from a fixed seed, so that every build makes the same files.
class Noise {
  public:
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 23) - 1.0;
    }

  private:
    uint32_t state_ = 0x2545F491u;
};

// A state-variable filter: band-pass and low-pass outputs of one input sample.
struct Filter {
    double low = 0.0, band = 0.0;
    void Step(double input, double cutoff, double damping) {
        const double f = 2.0 * std::sin(kPi * cutoff / kRate);
        low += f * band;
        const double high = input - low - damping * band;
        band += f * high;
    }
};

std::vector<double> Silence(double seconds) {
    return std::vector<double>(static_cast<size_t>(seconds * kRate), 0.0);
}

// Short fades at both ends (no clicks), then scaled so the loudest sample sits at kPeak.
void Finish(std::vector<double>& s) {
    const size_t fadeIn = static_cast<size_t>(0.002 * kRate);
    const size_t fadeOut = static_cast<size_t>(0.010 * kRate);
    for (size_t i = 0; i < fadeIn && i < s.size(); ++i) s[i] *= double(i) / double(fadeIn);
    for (size_t i = 0; i < fadeOut && i < s.size(); ++i) s[s.size() - 1 - i] *= double(i) / fadeOut;
    double peak = 0.0;
    for (double v : s) peak = std::fmax(peak, std::fabs(v));
    if (peak > 0.0) {
        for (double& v : s) v *= kPeak / peak;
    }
}

// A struck bell: a few partials, the higher ones dying sooner.
void AddBell(std::vector<double>& s, double start, double freq, double level) {
    static const double kPartials[][3] = {
        // ratio, level, decay time (s)
        {1.0, 1.0, 0.22},
        {2.0, 0.45, 0.14},
        {3.01, 0.25, 0.08},
        {4.2, 0.12, 0.05},
    };
    const size_t first = static_cast<size_t>(start * kRate);
    for (size_t i = first; i < s.size(); ++i) {
        const double t = double(i - first) / kRate;
        // A soft strike (3 ms) rather than a click.
        const double strike = t < 0.003 ? t / 0.003 : 1.0;
        double v = 0.0;
        for (const auto& p : kPartials) {
            v += p[1] * std::exp(-t / p[2]) * std::sin(2.0 * kPi * freq * p[0] * t);
        }
        s[i] += level * strike * v;
    }
}

}  // namespace

// Two quick rising bell notes, an octave-and-a-fifth apart, ringing out.
std::vector<double> CheckpointChime() {
    std::vector<double> s = Silence(0.9);
    AddBell(s, 0.0, 1318.51, 0.8);    // E6
    AddBell(s, 0.075, 1975.53, 1.0);  // B6
    Finish(s);
    return s;
}

// Air rushing past: noise through a band-pass that sweeps upward, with a faint rising tone.
std::vector<double> BoostWhoosh() {
    std::vector<double> s = Silence(0.75);
    Noise noise;
    Filter filter;
    double phase = 0.0;
    const double length = double(s.size()) / kRate;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double x = t / length;
        const double cutoff = 250.0 * std::pow(16.0, x);
        filter.Step(noise.Next(), cutoff, 0.5);
        const double tone = 180.0 * std::pow(5.0, x);
        phase += 2.0 * kPi * tone / kRate;
        const double envelope = std::sin(kPi * std::pow(x, 0.7));
        s[i] = envelope * (filter.band + 0.18 * std::sin(phase));
    }
    Finish(s);
    return s;
}

// A spring letting go: a tone that leaps upward, wobbling as it settles.
std::vector<double> JumpSpring() {
    std::vector<double> s = Silence(0.42);
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double rise = 1.0 - std::exp(-t / 0.07);
        const double wobble = 1.0 + 0.09 * std::exp(-t / 0.15) * std::sin(2.0 * kPi * 16.0 * t);
        const double freq = (170.0 + 560.0 * rise) * wobble;
        phase += 2.0 * kPi * freq / kRate;
        const double envelope = std::exp(-t / 0.16);
        // A little of the second harmonic gives it a twang.
        s[i] = envelope * (std::sin(phase) + 0.3 * std::sin(2.0 * phase));
    }
    Finish(s);
    return s;
}

// Hull against hull: a low thump that drops in pitch, a splintering burst of noise, and a
// smaller second knock as the boats part.
std::vector<double> HullKnock() {
    std::vector<double> s = Silence(0.38);
    Noise noise;
    Filter filter;
    const double knocks[][2] = {{0.0, 1.0}, {0.085, 0.55}};  // start, level
    for (const auto& knock : knocks) {
        double phase = 0.0;
        const size_t first = static_cast<size_t>(knock[0] * kRate);
        for (size_t i = first; i < s.size(); ++i) {
            const double t = double(i - first) / kRate;
            const double freq = 55.0 + 95.0 * std::exp(-t / 0.03);
            phase += 2.0 * kPi * freq / kRate;
            s[i] += knock[1] * std::exp(-t / 0.07) * std::sin(phase);
        }
    }
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        filter.Step(noise.Next(), 1800.0, 1.2);
        s[i] += 0.9 * std::exp(-t / 0.035) * filter.low;
    }
    Finish(s);
    return s;
}

}  // namespace media_gen
