#include "audio/Synth.h"

#include <algorithm>
#include <cmath>

namespace vw {

using dsp::attackDecay;
using dsp::glide;
using dsp::kTwoPi;

namespace {

// Scales the sound so its loudest sample is `peak`.
void normalize(std::vector<float>& buffer, float peak) {
  float top = 0;
  for (float s : buffer) top = std::max(top, std::abs(s));
  if (top <= 0) return;
  float k = peak / top;
  for (float& s : buffer) s *= k;
}

// Short fades at both ends, so a one-shot starts and ends at silence.
void fadeEdges(std::vector<float>& buffer, std::size_t fadeIn, std::size_t fadeOut) {
  std::size_t n = buffer.size();
  for (std::size_t i = 0; i < std::min(fadeIn, n); ++i) buffer[i] *= static_cast<float>(i) / static_cast<float>(fadeIn);
  for (std::size_t i = 0; i < std::min(fadeOut, n); ++i) {
    buffer[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(fadeOut);
  }
}

// A slowly wandering value around 0 (noise through a very low low-pass).
class Drift {
 public:
  Drift(float hz, float rate) : filter_(hz, rate) {}
  float step(dsp::Noise& rng) { return filter_.lowPass(rng.white()); }

 private:
  dsp::OnePole filter_;
};

// Scales a loop to a common loudness (RMS), unless that would push its
// loudest sample past `peak`.
void levelLoop(std::vector<float>& buffer, float rms, float peak) {
  double sum = 0;
  float top = 0;
  for (float s : buffer) {
    sum += static_cast<double>(s) * s;
    top = std::max(top, std::abs(s));
  }
  if (buffer.empty() || top <= 0) return;
  float now = static_cast<float>(std::sqrt(sum / static_cast<double>(buffer.size())));
  float k = std::min(rms / now, peak / top);
  for (float& s : buffer) s *= k;
}

}  // namespace

std::vector<float> seamlessLoop(const std::vector<float>& raw, std::size_t fade) {
  if (raw.size() <= 2 * fade || fade == 0) return raw;
  std::size_t n = raw.size() - fade;
  std::vector<float> out(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(n));
  const float quarter = kTwoPi / 4.0f;
  for (std::size_t i = 0; i < fade; ++i) {
    float u = static_cast<float>(i) / static_cast<float>(fade);
    out[i] = raw[i] * std::sin(quarter * u) + raw[n + i] * std::cos(quarter * u);
  }
  return out;
}

Synth::Synth(int sampleRate, std::uint32_t seed) : rate_(sampleRate > 0 ? sampleRate : 48000), seed_(seed) {}

std::size_t Synth::samples(float seconds) const {
  return static_cast<std::size_t>(seconds * static_cast<float>(rate_));
}

SoundBank Synth::generate() const {
  SoundBank bank;
  bank.sampleRate = rate_;
  for (std::size_t i = 0; i < kSoundCount; ++i) bank.samples[i] = make(static_cast<SoundId>(i));
  return bank;
}

std::vector<float> Synth::make(SoundId id) const {
  dsp::Noise rng(seed_ ^ (static_cast<std::uint32_t>(soundIndex(id) + 1) * 0x9e3779b1u));
  std::vector<float> out;
  switch (id) {
    case SoundId::Jump: out = jump(rng); break;
    case SoundId::Umbrella: out = umbrella(rng); break;
    case SoundId::Land: out = land(rng); break;
    case SoundId::Freeze: out = freeze(rng); break;
    case SoundId::Thaw: out = thaw(rng); break;
    case SoundId::Wet: out = wet(rng); break;
    case SoundId::ButtonPress: out = button(rng, 150, 1200, 1.0f); break;
    case SoundId::ButtonRelease: out = button(rng, 230, 1700, 0.7f); break;
    case SoundId::DoorStart: out = doorStart(rng); break;
    case SoundId::DoorStop: out = doorStop(rng); break;
    case SoundId::TrapDoorSwing: out = trapDoorSwing(rng); break;
    case SoundId::TrapDoorSettle: out = trapDoorSettle(rng); break;
    case SoundId::MenuClick: out = menuClick(); break;
    case SoundId::Pause: out = chime(880, 660); break;
    case SoundId::Unpause: out = chime(660, 880); break;
    case SoundId::Rain: out = rain(rng); break;
    case SoundId::SteamSpray: out = steamSpray(rng); break;
    case SoundId::WaterSpray: out = waterSpray(rng); break;
    case SoundId::IceSpray: out = iceSpray(rng); break;
    case SoundId::Jet: out = jet(rng); break;
    case SoundId::Wheel: out = wheel(rng); break;
    case SoundId::DoorGrind: out = doorGrind(rng); break;
  }
  if (isLoop(id)) {
    out = seamlessLoop(out, samples(0.25f));
    levelLoop(out, 0.16f, 0.9f);
  } else {
    fadeEdges(out, samples(0.001f), samples(0.008f));
    normalize(out, 0.8f);
  }
  return out;
}

void Synth::addBlip(std::vector<float>& out, std::size_t at, float fromHz, float toHz, float length, float decay,
                    float level) const {
  dsp::Sine osc;
  std::size_t n = samples(length);
  const float tail = static_cast<float>(std::max<std::size_t>(samples(0.005f), 1));
  for (std::size_t i = 0; i < n && at + i < out.size(); ++i) {
    float t = time(i);
    float end = std::min(1.0f, static_cast<float>(n - i) / tail);
    out[at + i] += level * end * osc.step(glide(t, length, fromHz, toHz), static_cast<float>(rate_)) *
                   attackDecay(t, 0.001f, decay);
  }
}

// --- One-shots -------------------------------------------------------------

// A quick upward whoosh with a little rising voice under it.
std::vector<float> Synth::jump(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.25f));
  dsp::Svf band(500, 1.5f, static_cast<float>(rate_));
  dsp::Sine tone;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    band.set(glide(t, 0.18f, 450, 2600), 1.5f);
    float whoosh = band.step(rng.white()).band * attackDecay(t, 0.015f, 0.06f);
    float voice = tone.step(glide(t, 0.12f, 210, 430), static_cast<float>(rate_)) * attackDecay(t, 0.004f, 0.045f);
    out[i] = whoosh + 0.25f * voice;
  }
  return out;
}

// Cloth snapping open: a falling whump and a short flap.
std::vector<float> Synth::umbrella(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.35f));
  dsp::Svf body(3000, 0.9f, static_cast<float>(rate_));
  dsp::OnePole snapFilter(1500, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    body.set(glide(t, 0.2f, 2800, 350), 0.9f);
    float whump = body.step(rng.white()).low * attackDecay(t, 0.02f, 0.08f);
    float snap = snapFilter.highPass(rng.white()) * attackDecay(t - 0.06f, 0.002f, 0.015f);
    out[i] = whump + 0.6f * snap;
  }
  return out;
}

// A soft thump of feet on stone with a scuff of grit.
std::vector<float> Synth::land(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.25f));
  dsp::Sine body;
  dsp::OnePole grit(900, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float thump = body.step(glide(t, 0.12f, 120, 45), static_cast<float>(rate_)) * attackDecay(t, 0.003f, 0.06f);
    float scuff = grit.lowPass(rng.white()) * attackDecay(t, 0.002f, 0.025f);
    out[i] = thump + 1.2f * scuff;
  }
  return out;
}

// Ice forming: a cascade of glassy pings over a brittle crackle.
std::vector<float> Synth::freeze(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.7f));
  for (int k = 0; k < 7; ++k) {
    float f = rng.range(1900, 6200);
    std::size_t at = samples(rng.range(0, 0.14f));
    addBlip(out, at, f, f * 1.01f, 0.45f, rng.range(0.06f, 0.22f), rng.range(0.25f, 0.6f));
  }
  dsp::Svf ring(4500, 6.0f, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float impulse = rng.unit() < 0.004f ? rng.white() * 3.0f : 0.0f;
    out[i] += ring.step(impulse).band * attackDecay(t, 0.005f, 0.12f);
  }
  return out;
}

// Ice giving way to steam: a sizzle that dies off and a soft sigh.
std::vector<float> Synth::thaw(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.65f));
  dsp::OnePole high(3200, static_cast<float>(rate_));
  dsp::Svf sigh(900, 0.8f, static_cast<float>(rate_));
  Drift flutter(40, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float grain = 0.6f + 4.0f * std::abs(flutter.step(rng));
    float sizzle = high.highPass(rng.white()) * grain * attackDecay(t, 0.02f, 0.2f);
    sigh.set(glide(t, 0.6f, 900, 300), 0.8f);
    float breath = sigh.step(rng.white()).band * attackDecay(t, 0.05f, 0.18f);
    out[i] = 0.7f * sizzle + breath;
  }
  return out;
}

// A splash on stone followed by a few drips.
std::vector<float> Synth::wet(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.4f));
  dsp::Svf band(1500, 0.8f, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    out[i] = band.step(rng.white()).band * attackDecay(t, 0.004f, 0.06f);
  }
  for (int k = 0; k < 3; ++k) {
    float f = rng.range(900, 1700);
    addBlip(out, samples(rng.range(0.05f, 0.28f)), f, f * 1.8f, 0.04f, 0.012f, rng.range(0.2f, 0.35f));
  }
  return out;
}

// A plate clicking down (or springing back up, higher and lighter).
std::vector<float> Synth::button(dsp::Noise& rng, float low, float high, float level) const {
  std::vector<float> out(samples(0.14f));
  dsp::Sine body;
  dsp::Sine tick;
  dsp::OnePole click(2500, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float b = body.step(low, static_cast<float>(rate_)) * attackDecay(t, 0.002f, 0.035f);
    float k = tick.step(high, static_cast<float>(rate_)) * attackDecay(t, 0.001f, 0.01f);
    float c = click.highPass(rng.white()) * attackDecay(t, 0.0005f, 0.003f);
    out[i] = level * (b + 0.5f * k + 0.6f * c);
  }
  return out;
}

// A heavy slab lurching into motion: a low clunk with a faint metal ring.
std::vector<float> Synth::doorStart(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.4f));
  dsp::Sine body;
  dsp::Sine ringA;
  dsp::Sine ringB;
  dsp::OnePole dull(400, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float clunk = body.step(72, static_cast<float>(rate_)) * attackDecay(t, 0.004f, 0.12f);
    float knock = dull.lowPass(rng.white()) * attackDecay(t, 0.002f, 0.06f);
    float ring = (ringA.step(523, static_cast<float>(rate_)) + ringB.step(787, static_cast<float>(rate_))) *
                 attackDecay(t, 0.003f, 0.15f);
    out[i] = clunk + 2.0f * knock + 0.12f * ring;
  }
  return out;
}

// The slab coming to rest: a deep thud.
std::vector<float> Synth::doorStop(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.45f));
  dsp::Sine body;
  dsp::OnePole dull(260, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float thud = body.step(glide(t, 0.2f, 62, 40), static_cast<float>(rate_)) * attackDecay(t, 0.003f, 0.15f);
    float dust = dull.lowPass(rng.white()) * attackDecay(t, 0.002f, 0.08f);
    out[i] = thud + 2.5f * dust;
  }
  return out;
}

// A hinge creaking: stick-slip pulses ringing through wood.
std::vector<float> Synth::trapDoorSwing(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.5f));
  dsp::Svf woodA(700, 6.0f, static_cast<float>(rate_));
  dsp::Svf woodB(1450, 4.0f, static_cast<float>(rate_));
  float phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float pulseRate = glide(t, 0.5f, 34, 62) * (1.0f + 0.08f * rng.white());
    phase += pulseRate / static_cast<float>(rate_);
    float excite = 0;
    if (phase >= 1) {
      phase -= 1;
      excite = 1.0f + 0.4f * rng.white();
    }
    float envelope = std::min(1.0f, t / 0.04f) * std::min(1.0f, (0.5f - t) / 0.1f);
    out[i] = (woodA.step(excite).band + 0.6f * woodB.step(excite).band) * envelope;
  }
  return out;
}

// The lid knocking against its stop.
std::vector<float> Synth::trapDoorSettle(dsp::Noise& rng) const {
  std::vector<float> out(samples(0.25f));
  dsp::Sine a;
  dsp::Sine b;
  dsp::Svf tap(1000, 1.2f, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float knock = (a.step(205, static_cast<float>(rate_)) + 0.6f * b.step(415, static_cast<float>(rate_))) *
                  attackDecay(t, 0.002f, 0.05f);
    out[i] = knock + 1.5f * tap.step(rng.white()).band * attackDecay(t, 0.001f, 0.015f);
  }
  return out;
}

std::vector<float> Synth::menuClick() const {
  std::vector<float> out(samples(0.07f));
  dsp::Sine high;
  dsp::Sine low;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    out[i] = high.step(1800, static_cast<float>(rate_)) * attackDecay(t, 0.001f, 0.008f) +
             0.6f * low.step(900, static_cast<float>(rate_)) * attackDecay(t, 0.001f, 0.016f);
  }
  return out;
}

// Two soft notes, one after the other.
std::vector<float> Synth::chime(float first, float second) const {
  std::vector<float> out(samples(0.34f));
  addBlip(out, 0, first, first, 0.13f, 0.05f, 1.0f);
  addBlip(out, samples(0.12f), second, second, 0.22f, 0.07f, 1.0f);
  dsp::OnePole soften(3000, static_cast<float>(rate_));
  for (float& s : out) s = soften.lowPass(s);
  return out;
}

// --- Loops -------------------------------------------------------------------

// Soft rain: a filtered hiss with a slow swell, a low wash and many small drops.
std::vector<float> Synth::rain(dsp::Noise& rng) const {
  const float seconds = 4.0f;
  std::vector<float> out(samples(seconds + 0.25f));
  dsp::Svf bed(4500, 0.6f, static_cast<float>(rate_));
  dsp::OnePole bedHigh(350, static_cast<float>(rate_));
  dsp::OnePole wash(220, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float swell = 0.85f + 0.15f * std::sin(kTwoPi * t / seconds);
    float hiss = bedHigh.highPass(bed.step(rng.white()).low);
    out[i] = swell * (0.35f * hiss + 0.5f * wash.lowPass(rng.white()));
  }
  const float dropsPerSecond = 45;
  std::size_t drops = static_cast<std::size_t>(dropsPerSecond * seconds);
  for (std::size_t k = 0; k < drops; ++k) {
    float f = rng.range(1800, 5200);
    std::size_t at = samples(rng.range(0, seconds + 0.2f));
    float level = 0.03f + 0.15f * rng.unit() * rng.unit();
    addBlip(out, at, f, f * 0.85f, 0.03f, 0.006f, level);
  }
  return out;
}

// Steam: a bright hiss with a fluttering edge.
std::vector<float> Synth::steamSpray(dsp::Noise& rng) const {
  std::vector<float> out(samples(2.25f));
  dsp::OnePole low(1400, static_cast<float>(rate_));
  dsp::Svf band(5200, 0.7f, static_cast<float>(rate_));
  dsp::OnePole soften(9000, static_cast<float>(rate_));
  Drift flutter(9, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float x = low.highPass(rng.white());
    float amp = 0.8f + 3.0f * flutter.step(rng);
    out[i] = soften.lowPass(amp * (band.step(x).band + 0.3f * x));
  }
  return out;
}

// Water: a rushing spray with bubbles popping through it.
std::vector<float> Synth::waterSpray(dsp::Noise& rng) const {
  const float seconds = 2.0f;
  std::vector<float> out(samples(seconds + 0.25f));
  dsp::Svf band(1200, 0.5f, static_cast<float>(rate_));
  dsp::OnePole body(600, static_cast<float>(rate_));
  Drift surge(4, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float x = rng.white();
    float amp = 0.85f + 2.5f * surge.step(rng);
    out[i] = amp * (band.step(x).band + 0.6f * body.lowPass(x));
  }
  std::size_t bubbles = static_cast<std::size_t>(28 * seconds);
  for (std::size_t k = 0; k < bubbles; ++k) {
    float f = rng.range(550, 1400);
    addBlip(out, samples(rng.range(0, seconds + 0.2f)), f, f * 2.2f, rng.range(0.02f, 0.045f), 0.012f,
            rng.range(0.06f, 0.16f));
  }
  return out;
}

// Ice: brittle crackles ringing high over a faint frosty hiss.
std::vector<float> Synth::iceSpray(dsp::Noise& rng) const {
  std::vector<float> out(samples(2.25f));
  dsp::Svf glassA(4800, 9.0f, static_cast<float>(rate_));
  dsp::Svf glassB(2300, 5.0f, static_cast<float>(rate_));
  dsp::OnePole frost(6000, static_cast<float>(rate_));
  const float perSample = 140.0f / static_cast<float>(rate_);
  for (std::size_t i = 0; i < out.size(); ++i) {
    float impulse = 0;
    if (rng.unit() < perSample) {
      float u = rng.unit();
      impulse = (rng.unit() < 0.5f ? -1.0f : 1.0f) * (0.5f + 1.2f * u * u);
      glassA.set(rng.range(3500, 7000), 9.0f);
    }
    out[i] = glassA.step(impulse).band + 0.7f * glassB.step(impulse).band + 0.08f * frost.highPass(rng.white());
  }
  return out;
}

// A steam jet: a deep roar under a hiss, pulsing as it blows.
std::vector<float> Synth::jet(dsp::Noise& rng) const {
  const float seconds = 3.0f;
  std::vector<float> out(samples(seconds + 0.25f));
  dsp::Svf roar(900, 0.6f, static_cast<float>(rate_));
  dsp::OnePole rumble(150, static_cast<float>(rate_));
  dsp::OnePole hissFilter(3500, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float pulse = 0.78f + 0.22f * std::sin(kTwoPi * 2.0f * t);
    float x = rng.white();
    out[i] = pulse * (roar.step(x).band + 2.5f * rumble.lowPass(x) + 0.25f * hissFilter.highPass(x));
  }
  return out;
}

// A water wheel: sloshing buckets and a wooden knock per paddle.
std::vector<float> Synth::wheel(dsp::Noise& rng) const {
  const float seconds = 2.0f;
  std::vector<float> out(samples(seconds + 0.25f));
  dsp::Svf slosh(520, 0.7f, static_cast<float>(rate_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    float t = time(i);
    float s = std::sin(kTwoPi * 2.0f * t);
    out[i] = 0.6f * slosh.step(rng.white()).band * (0.3f + 0.7f * s * s);
  }
  const int paddles = 4;
  for (int k = 0; k <= paddles; ++k) {
    std::size_t at = samples(seconds * static_cast<float>(k) / paddles + 0.01f);
    addBlip(out, at, 190, 170, 0.12f, 0.03f, 0.5f);
    addBlip(out, at, 330, 300, 0.08f, 0.02f, 0.25f);
  }
  return out;
}

// A stone slab grinding in its frame over a low motor hum.
std::vector<float> Synth::doorGrind(dsp::Noise& rng) const {
  const float seconds = 2.0f;
  std::vector<float> out(samples(seconds + 0.25f));
  dsp::OnePole grindLow(320, static_cast<float>(rate_));
  dsp::OnePole grindHigh(60, static_cast<float>(rate_));
  Drift roughness(15, static_cast<float>(rate_));
  dsp::OnePole humFilter(200, static_cast<float>(rate_));
  float saw = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float grit = grindHigh.highPass(grindLow.lowPass(rng.white()));
    float amp = 0.5f + 6.0f * std::abs(roughness.step(rng));
    saw += 55.0f / static_cast<float>(rate_);
    if (saw >= 1) saw -= 1;
    out[i] = amp * grit + 0.15f * humFilter.lowPass(2.0f * saw - 1.0f);
  }
  return out;
}

}  // namespace vw
