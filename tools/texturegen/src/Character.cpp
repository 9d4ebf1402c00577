// The hero: a lamplighter's child in a yellow rain slicker with a brass water
// tank on the back, and the aiming arm that sprays from the tank's coupling.
//
// ANIMATION: 18 x 2 cells of 32 x 100 units, facing right; row 0 walks, row 1
// floats under an open umbrella. ARM: 1 x 20 cells of 90 x 80 units, the
// shoulder coupling at the centre of each cell.

#include "Motifs.h"
#include "Noise.h"
#include "Palette.h"
#include "Pictures.h"

#include <array>
#include <cmath>

namespace vw::art {

namespace {

namespace pal = palette;

constexpr float kCellW = 32.0f, kCellH = 100.0f;
constexpr float kPixelsPerUnit = 2.0f;
constexpr int kFrames = 18;

const Color kSkin = hexColor(0xf4c9a2);
const Color kSkinShade = hexColor(0xd99872);
const Color kHair = hexColor(0x4a2a18);
const Color kCap = hexColor(0x3a4254);
const Color kScarf = hexColor(0x2b8a8e);
const Color kTrousers = hexColor(0x3b4458);
const Color kBoot = hexColor(0x5c3520);
const Color kGlove = hexColor(0x4b2c1c);
constexpr float kLine = 0.8f;  // outline width, units

glm::vec2 fromVertical(float degrees)  // a unit vector turned forward (+x) from straight down
{
    const float a = radians(degrees);
    return {std::sin(a), std::cos(a)};
}

// How the figure stands in one frame.
struct Pose {
    glm::vec2 hip{14.2f, 63.0f};
    float lift = 0.0f;  // the whole figure moved down by this much
    std::array<float, 2> thigh{};  // near, far leg: degrees forward of straight down
    std::array<float, 2> knee{};   // bend, degrees (the shin swings back)
    std::array<float, 2> toe{};    // foot pitch, degrees (positive points the toe down)
    float armSwing = 0.0f;          // far arm, degrees forward of straight down
    float armBend = 20.0f;
    float scarfPhase = 0.0f;
    float hemSway = 0.0f;  // the coat's hem pushed forward (+) or back by the stride
    bool umbrella = false;
};

struct Leg {
    glm::vec2 hip, knee, ankle, toe;
};

constexpr float kThigh = 16.5f, kShin = 15.5f, kFoot = 5.6f;

Leg legOf(const Pose& pose, int i)
{
    Leg leg;
    leg.hip = pose.hip;
    leg.knee = leg.hip + fromVertical(pose.thigh[i]) * kThigh;
    leg.ankle = leg.knee + fromVertical(pose.thigh[i] - pose.knee[i]) * kShin;
    const float pitch = radians(pose.toe[i]);
    leg.toe = leg.ankle + glm::vec2(std::cos(pitch), std::sin(pitch)) * kFoot;
    return leg;
}

// Lowest point of a boot's sole.
float soleOf(const Leg& leg)
{
    return std::max(leg.ankle.y, leg.toe.y) + 2.6f;
}

template <class Sdf>
void part(Painter& paint, const Box& bounds, const Sdf& f, const Color& base, float bevel = 2.0f, float strength = 0.35f)
{
    const glm::vec2 light = paint.light();
    paint.outlined(bounds, f, [&](glm::vec2 p, float d) { return bevelled(base, f, p, d, bevel, strength, light); },
                   pal::ink, kLine);
}

void drawLeg(Painter& paint, const Leg& leg, bool far)
{
    const float dim = far ? 0.78f : 1.0f;
    auto trouser = [&](glm::vec2 p) {
        return std::min(sdf::taperedCapsule(p, leg.hip, leg.knee, 3.3f, 2.8f),
                        sdf::taperedCapsule(p, leg.knee, leg.ankle - (leg.ankle - leg.knee) * 0.15f, 2.8f, 2.6f));
    };
    part(paint, boundsOf({leg.hip, leg.knee, leg.ankle}).grown(4.5f), trouser, scaled(kTrousers, dim));
    // The boot: a rounded shoe from heel to toe with a shaft up the ankle.
    const glm::vec2 fwd = glm::normalize(leg.toe - leg.ankle);
    const glm::vec2 heel = leg.ankle - fwd * 1.6f + glm::vec2(0.0f, 0.9f);
    auto boot = [&](glm::vec2 p) {
        const float shoe = sdf::taperedCapsule(p, heel, leg.toe + glm::vec2(0.0f, 0.6f), 2.5f, 2.0f);
        const float shaft = sdf::capsule(p, leg.ankle, leg.ankle + (leg.knee - leg.ankle) * 0.28f, 2.8f);
        return sdf::smoothUnite(shoe, shaft, 1.0f);
    };
    part(paint, boundsOf({heel, leg.toe, leg.ankle, leg.knee}).grown(4.0f), boot, scaled(kBoot, dim));
    const glm::vec2 buckle = leg.ankle + (leg.knee - leg.ankle) * 0.16f;
    paint.circle(buckle, 0.9f, scaled(pal::brass, dim));
}

// The far arm, behind the body: shoulder, elbow, hand.
void drawFarArm(Painter& paint, glm::vec2 shoulder, glm::vec2 elbow, glm::vec2 hand)
{
    auto sleeve = [&](glm::vec2 p) {
        return std::min(sdf::taperedCapsule(p, shoulder, elbow, 3.0f, 2.6f), sdf::taperedCapsule(p, elbow, hand, 2.6f, 2.3f));
    };
    part(paint, boundsOf({shoulder, elbow, hand}).grown(4.0f), sleeve, scaled(pal::coatShade, 0.9f));
    part(paint, Box::around(hand, glm::vec2(3.0f)), [&](glm::vec2 p) { return sdf::circle(p, hand, 2.1f); },
         scaled(kGlove, 0.85f));
}

void drawUmbrella(Painter& paint, glm::vec2 tip, glm::vec2 hand)
{
    // Shaft from the grip up through the canopy.
    paint.capsule(hand + glm::vec2(0.0f, 2.0f), tip, 0.95f, pal::ink);
    paint.capsule(hand + glm::vec2(0.0f, 2.0f), tip, 0.45f, pal::brassDark);
    // Hooked handle below the hand.
    const glm::vec2 hook = hand + glm::vec2(-1.6f, 3.4f);
    paint.fill(Box::around(hook, glm::vec2(3.5f)),
               [&](glm::vec2 p) { return sdf::intersect(sdf::ring(p, hook, 1.6f, 0.75f), p.y - hook.y); }, pal::ink);
    const glm::vec2 mid = tip + glm::vec2(0.0f, 9.5f);
    auto canopy = [&](glm::vec2 p) {
        const float dome = sdf::intersect(sdf::ellipse(p, mid, glm::vec2(15.2f, 8.6f)), p.y - mid.y);
        float bites = 1e9f;
        for (int i = 0; i < 4; ++i)
            bites = std::min(bites, sdf::ellipse(p, mid + glm::vec2(-11.4f + i * 7.6f, 1.2f), glm::vec2(3.9f, 1.9f)));
        return sdf::subtract(dome, bites);
    };
    const glm::vec2 light = paint.light();
    paint.outlined(Box{mid - glm::vec2(16.0f, 10.0f), mid + glm::vec2(16.0f, 2.0f)}, canopy,
                   [&](glm::vec2 p, float d) {
                       // Gores: panels alternately lit and in shade, meeting at the tip.
                       const float a = std::atan2(p.y - mid.y - 1.0f, p.x - mid.x);
                       const bool dark = static_cast<int>(std::floor((a + kPi) / (kPi / 4.0f))) % 2 == 1;
                       Color c = dark ? pal::umbrellaDark : pal::umbrella;
                       c = mixColor(c, hexColor(0xff9a8a), 0.3f * std::clamp((mid.y - 3.0f - p.y) / 6.0f, 0.0f, 1.0f));
                       return bevelled(c, canopy, p, d, 2.2f, 0.3f, light);
                   },
                   pal::ink, kLine);
    paint.capsule(tip + glm::vec2(0.0f, -1.4f), tip + glm::vec2(0.0f, 1.0f), 1.0f, pal::ink);
    paint.capsule(tip + glm::vec2(0.0f, -1.0f), tip + glm::vec2(0.0f, 0.8f), 0.5f, pal::brassLight);
}

void drawFigure(Painter& paint, const Pose& pose)
{
    const glm::vec2 down(0.0f, pose.lift);
    const Leg near = legOf(pose, 0), far = legOf(pose, 1);
    const glm::vec2 shoulder = glm::vec2(15.0f, 34.5f) + down;
    const glm::vec2 neck = glm::vec2(16.5f, 29.5f) + down;
    const glm::vec2 head = glm::vec2(17.6f, 20.5f) + down;

    // Scarf tail streaming behind.
    std::vector<glm::vec2> tail;
    for (int i = 0; i <= 8; ++i) {
        const float t = i / 8.0f;
        tail.push_back(neck + glm::vec2(-2.0f - t * 9.0f, 1.0f + t * 4.0f + std::sin(pose.scarfPhase + t * 4.0f) * t * 1.8f));
    }
    part(paint, boundsOf(tail).grown(3.0f), [&](glm::vec2 p) { return taperedPolylineSdf(p, tail, 1.8f, 1.2f); },
         scaled(kScarf, 0.85f));

    // Far side, behind the body.
    glm::vec2 hand, elbow;
    if (pose.umbrella) {
        hand = glm::vec2(16.5f, 14.8f);
        elbow = glm::vec2(13.0f, 22.0f) + down;
    } else {
        elbow = shoulder + fromVertical(pose.armSwing) * 11.0f;
        hand = elbow + fromVertical(pose.armSwing + pose.armBend) * 10.0f;
    }
    if (pose.umbrella)
        drawUmbrella(paint, glm::vec2(16.5f, 1.6f), hand);
    drawFarArm(paint, shoulder, elbow, hand);
    drawLeg(paint, far, true);

    // The brass tank on the back, strapped over the shoulders.
    const glm::vec2 tMid = glm::vec2(6.8f, 46.0f) + down, tHalf(4.6f, 12.5f);
    auto tank = [&](glm::vec2 p) { return sdf::roundBox(p, tMid, tHalf, 4.0f); };
    fillMetal(paint, Box::around(tMid, tHalf), tank, pal::brassDark, pal::brass, pal::brassLight, 3.2f, pal::ink, kLine);
    for (float dy : {-7.0f, 7.0f})
        paint.rect(tMid + glm::vec2(-4.6f, dy - 0.9f), tMid + glm::vec2(4.6f, dy + 0.9f), pal::copper);
    paint.capsule(tMid + glm::vec2(0.0f, -tHalf.y - 1.5f), tMid + glm::vec2(0.0f, -tHalf.y + 0.5f), 1.3f, pal::ink);
    paint.capsule(tMid + glm::vec2(0.0f, -tHalf.y - 1.2f), tMid + glm::vec2(0.0f, -tHalf.y + 0.5f), 0.8f, pal::copper);

    drawLeg(paint, near, false);

    // The slicker: an A-line coat from the shoulders to below the hips.
    const float sway = pose.hemSway;
    const glm::vec2 coat[8] = {glm::vec2(11.0f, 30.5f) + down, glm::vec2(21.0f, 30.0f) + down,
                               glm::vec2(23.2f, 40.0f) + down, glm::vec2(22.6f, 50.0f) + down,
                               glm::vec2(25.4f + sway, 67.5f) + down, glm::vec2(7.6f + sway * 0.6f, 68.0f) + down,
                               glm::vec2(9.6f, 50.0f) + down, glm::vec2(9.2f, 40.0f) + down};
    auto coatSdf = [&](glm::vec2 p) { return sdf::polygon(p, coat) - 1.5f; };
    const glm::vec2 light = paint.light();
    const float belt = 50.5f + pose.lift;
    paint.outlined(boundsOf(coat).grown(2.0f), coatSdf,
                   [&](glm::vec2 p, float d) {
                       Color c = bevelled(pal::coat, coatSdf, p, d, 3.0f, 0.35f, light);
                       // A fold down the front of the skirt, a darker hem, the belt.
                       const float fold = std::abs(p.x - (18.5f + (p.y - belt) * 0.2f));
                       if (p.y > belt)
                           c = mixColor(c, pal::coatShade, std::clamp(0.9f - fold, 0.0f, 1.0f) * 0.7f);
                       c = mixColor(c, pal::coatShade, smoothstep01(63.0f, 69.0f, p.y - pose.lift) * 0.5f);
                       if (std::abs(p.y - belt) < 1.4f)
                           c = mixColor(hexColor(0x4a2d1a), hexColor(0x6e4526), std::clamp((belt - p.y + 1.4f) / 2.8f, 0.0f, 1.0f));
                       return c;
                   },
                   pal::ink, kLine);
    paint.outlined(Box::around(glm::vec2(20.0f, belt), glm::vec2(2.0f)),
                   [&](glm::vec2 p) { return sdf::ring(p, glm::vec2(20.0f, belt), 1.3f, 0.45f); }, pal::brass, pal::ink, 0.3f);
    // Collar.
    const glm::vec2 collar[3] = {glm::vec2(13.0f, 30.0f) + down, glm::vec2(21.5f, 29.8f) + down, glm::vec2(18.5f, 35.5f) + down};
    part(paint, boundsOf(collar).grown(1.0f), [&](glm::vec2 p) { return sdf::polygon(p, collar) - 0.6f; }, pal::coatShade, 1.0f, 0.3f);
    for (float y : {39.0f, 45.0f, 57.0f})
        paint.circle(glm::vec2(y < 50.0f ? 20.6f : 21.8f, y) + down, 0.8f, pal::brassDark);
    // Tank strap across the chest.
    paint.line(glm::vec2(11.0f, 32.5f) + down, glm::vec2(21.0f, 45.0f) + down, 1.6f, hexColor(0x4a2d1a));
    paint.line(glm::vec2(11.0f, 32.5f) + down, glm::vec2(21.0f, 45.0f) + down, 0.6f, hexColor(0x6e4526));

    // Scarf knot at the neck.
    part(paint, Box::around(neck, glm::vec2(7.0f, 3.0f)), [&](glm::vec2 p) { return sdf::roundBox(p, neck, glm::vec2(6.0f, 2.0f), 1.8f); },
         kScarf);

    // Head: face, ear, hair at the nape, a cap with brass goggles.
    auto face = [&](glm::vec2 p) {
        return sdf::smoothUnite(sdf::circle(p, head, 7.6f), sdf::circle(p, head + glm::vec2(7.2f, 1.8f), 1.3f), 1.2f);
    };
    paint.outlined(Box::around(head, glm::vec2(10.0f)), face,
                   [&](glm::vec2 p, float d) {
                       Color c = bevelled(kSkin, face, p, d, 2.6f, 0.25f, light);
                       return mixColor(c, kSkinShade, smoothstep01(head.y + 2.0f, head.y + 8.0f, p.y) * 0.35f);
                   },
                   pal::ink, kLine);
    auto hair = [&](glm::vec2 p) {
        return sdf::intersect(sdf::circle(p, head + glm::vec2(-1.0f, -0.5f), 7.8f), p.x - head.x + 1.5f);
    };
    part(paint, Box::around(head, glm::vec2(9.0f)), [&](glm::vec2 p) { return sdf::intersect(hair(p), p.y - head.y - 4.0f); },
         kHair, 2.0f, 0.3f);
    paint.circle(head + glm::vec2(-0.8f, 1.8f), 1.5f, kSkinShade);  // ear
    paint.circle(head + glm::vec2(4.0f, 0.0f), 1.05f, pal::ink);     // eye
    paint.circle(head + glm::vec2(4.3f, -0.35f), 0.35f, hexColor(0xffffff));
    paint.circle(head + glm::vec2(3.4f, 3.4f), 1.5f, withAlpha(hexColor(0xf08a7a), 0.55f));  // cheek
    paint.capsule(head + glm::vec2(2.2f, -2.4f), head + glm::vec2(5.4f, -2.6f), 0.4f, kHair);  // brow

    const glm::vec2 capMid = head + glm::vec2(0.3f, -5.2f);
    auto cap = [&](glm::vec2 p) {
        const float crown = sdf::intersect(sdf::ellipse(p, capMid + glm::vec2(0.0f, 1.2f), glm::vec2(8.4f, 6.0f)), p.y - capMid.y - 1.2f);
        const float peak = sdf::ellipse(p, capMid + glm::vec2(7.6f, 1.4f), glm::vec2(4.2f, 1.3f));
        return std::min(crown, peak);
    };
    part(paint, Box::around(capMid, glm::vec2(13.0f, 8.0f)), cap, kCap, 2.2f, 0.4f);
    // Goggles resting on the cap band.
    const glm::vec2 lens = capMid + glm::vec2(2.8f, -0.6f);
    auto goggle = [&](glm::vec2 p) { return sdf::circle(p, lens, 2.5f); };
    fillMetal(paint, Box::around(lens, glm::vec2(3.0f)), goggle, pal::brassDark, pal::brass, pal::brassLight, 1.2f, pal::ink, 0.6f);
    paint.circle(lens, 1.4f, hexColor(0x5fc2e0));
    paint.circle(lens + glm::vec2(-0.5f, -0.5f), 0.5f, hexColor(0xe8fbff));
    paint.line(capMid + glm::vec2(-8.0f, 0.6f), lens - glm::vec2(2.4f, 0.0f), 1.0f, hexColor(0x2a1a10));

    if (pose.umbrella)  // the gloved hand on the shaft, above the cap
        part(paint, Box::around(hand, glm::vec2(3.0f)), [&](glm::vec2 p) { return sdf::roundBox(p, hand, glm::vec2(2.0f, 2.4f), 1.4f); },
             kGlove);
}

Pose walkPose(int frame)
{
    const float phase = 2.0f * kPi * frame / kFrames;
    Pose pose;
    for (int i = 0; i < 2; ++i) {
        const float ph = phase + (i == 0 ? 0.0f : kPi);
        const float swing = std::max(0.0f, std::cos(ph));
        pose.thigh[i] = 22.0f * std::sin(ph);
        pose.knee[i] = 6.0f + 52.0f * swing * swing;
        // Swinging, the toe goes from pointing down (push-off) to raised (heel strike);
        // standing, the foot is flat until the heel lifts behind.
        if (std::cos(ph) > 0.0f)
            pose.toe[i] = 11.0f - 19.0f * std::sin(ph);
        else
            pose.toe[i] = std::max(0.0f, -pose.thigh[i] - 10.0f) * 1.8f;
    }
    pose.armSwing = 26.0f * std::sin(phase);
    pose.armBend = 18.0f + 16.0f * std::max(0.0f, std::sin(phase));
    pose.scarfPhase = phase * 2.0f;
    pose.hemSway = 1.2f * std::sin(2.0f * phase);
    // Stand on the lower foot: the sole of whichever boot is lower touches the cell's bottom.
    const float sole = std::max(soleOf(legOf(pose, 0)), soleOf(legOf(pose, 1)));
    pose.lift = kCellH - 0.6f - sole;
    pose.hip.y += pose.lift;
    return pose;
}

Pose floatPose(int frame)
{
    const float phase = 2.0f * kPi * frame / kFrames;
    Pose pose;
    pose.umbrella = true;
    // Knees drawn up a little and toes pointing down, swinging lazily.
    pose.thigh = {36.0f + 6.0f * std::sin(phase - 0.8f), 22.0f + 6.0f * std::sin(phase - 1.4f)};
    pose.knee = {78.0f, 60.0f};
    pose.toe = {48.0f, 58.0f};
    pose.scarfPhase = phase;
    pose.hemSway = -1.0f + 0.8f * std::sin(phase - 1.0f);
    pose.lift = 7.0f;
    pose.hip.y += pose.lift;
    return pose;
}

}  // namespace

Image drawPlayerSheet()
{
    const int cw = static_cast<int>(kCellW * kPixelsPerUnit), ch = static_cast<int>(kCellH * kPixelsPerUnit);
    Canvas sheet(cw * kFrames, ch * 2);
    for (int row = 0; row < 2; ++row)
        for (int frame = 0; frame < kFrames; ++frame) {
            Canvas cell(cw, ch);
            Pen pen(glm::vec2(0.0f), kPixelsPerUnit);
            if (row == 1)  // a gentle sway, hanging from the umbrella's tip
                pen = pen.rotated(3.0f * std::sin(2.0f * kPi * frame / kFrames), glm::vec2(16.5f, 2.0f));
            Painter paint(cell, pen);
            drawFigure(paint, row == 0 ? walkPose(frame) : floatPose(frame));
            sheet.copy(cell, frame * cw, row * ch);
        }
    return sheet.toImage();
}

float armRowAngleDegrees(int row)
{
    if (row == 0)
        return -100.0f;
    if (row >= 1 && row <= 13)
        return static_cast<float>((row - 5) * 20 + 10);
    switch (row) {
    case 14: return 180.0f;
    case 15: return -130.0f;
    case 16: return -150.0f;
    case 17: return -170.0f;
    default: return -90.0f;  // rows 18 and 19
    }
}

Image drawArmSheet()
{
    constexpr float kArmW = 90.0f, kArmH = 80.0f, kRows = 20;
    const glm::vec2 pivot(kArmW * 0.5f, kArmH * 0.5f);
    const int cw = static_cast<int>(kArmW * kPixelsPerUnit), ch = static_cast<int>(kArmH * kPixelsPerUnit);
    Canvas sheet(cw, ch * static_cast<int>(kRows));
    for (int row = 0; row < kRows; ++row) {
        Canvas cell(cw, ch);
        // The arm is drawn pointing along +x, then turned: counter-clockwise with y up
        // is clockwise-negative on the y-down canvas.
        Painter paint(cell, Pen(glm::vec2(0.0f), kPixelsPerUnit).rotated(-armRowAngleDegrees(row), pivot));
        const glm::vec2 light = paint.light();
        const glm::vec2 o = pivot;
        // Sleeve.
        auto sleeve = [&](glm::vec2 p) { return sdf::taperedCapsule(p, o, o + glm::vec2(15.0f, 0.0f), 4.4f, 3.7f); };
        paint.outlined(Box{o - glm::vec2(5.0f), o + glm::vec2(24.0f, 5.0f)}, sleeve,
                       [&](glm::vec2 p, float d) {
                           Color c = bevelled(pal::coat, sleeve, p, d, 2.6f, 0.35f, light);
                           const float crease = std::abs(p.x - o.x - 7.5f + (p.y - o.y) * 0.4f);
                           return mixColor(c, pal::coatShade, std::clamp(0.8f - crease, 0.0f, 1.0f) * 0.5f);
                       },
                       pal::ink, kLine);
        auto cuff = [&](glm::vec2 p) { return sdf::roundBox(p, o + glm::vec2(15.5f, 0.0f), glm::vec2(1.6f, 4.0f), 1.0f); };
        part(paint, Box::around(o + glm::vec2(15.5f, 0.0f), glm::vec2(3.0f, 5.0f)), cuff, pal::coatShade);
        // Nozzle held in the glove: a brass pipe with a copper band, a valve and a flared mouth.
        const glm::vec2 n0 = o + glm::vec2(17.0f, 0.0f), n1 = o + glm::vec2(34.0f, 0.0f);
        auto pipe = [&](glm::vec2 p) { return sdf::taperedCapsule(p, n0, n1, 2.3f, 1.7f); };
        fillMetal(paint, Box{n0 - glm::vec2(3.0f), n1 + glm::vec2(3.0f)}, pipe, pal::brassDark, pal::brass, pal::brassLight, 2.0f, pal::ink, kLine);
        auto mouth = [&](glm::vec2 p) {
            const glm::vec2 quad[4] = {n1 + glm::vec2(-1.5f, -1.8f), n1 + glm::vec2(2.3f, -3.0f), n1 + glm::vec2(2.3f, 3.0f), n1 + glm::vec2(-1.5f, 1.8f)};
            return sdf::polygon(p, quad) - 0.4f;
        };
        fillMetal(paint, Box::around(n1, glm::vec2(4.0f)), mouth, pal::brassDark, pal::brass, pal::brassLight, 1.2f, pal::ink, kLine);
        paint.fill(Box::around(n1 + glm::vec2(2.3f, 0.0f), glm::vec2(1.5f, 3.0f)),
                   [&](glm::vec2 p) { return sdf::ellipse(p, n1 + glm::vec2(2.2f, 0.0f), glm::vec2(0.6f, 2.1f)); }, hexColor(0x2a1a0c));
        auto band = [&](glm::vec2 p) { return sdf::box(p, o + glm::vec2(28.0f, 0.0f), glm::vec2(1.0f, 2.3f)); };
        fillMetal(paint, Box::around(o + glm::vec2(28.0f, 0.0f), glm::vec2(1.5f, 3.0f)), band, pal::rustDark, pal::copper, hexColor(0xf0a070), 0.8f, pal::ink, 0.5f);
        paint.capsule(o + glm::vec2(25.5f, -2.0f), o + glm::vec2(25.5f, -4.0f), 0.7f, pal::ink);
        paint.fill(Box::around(o + glm::vec2(25.5f, -4.6f), glm::vec2(2.5f, 1.5f)),
                   [&](glm::vec2 p) { return sdf::roundBox(p, o + glm::vec2(25.5f, -4.6f), glm::vec2(1.9f, 0.8f), 0.5f); }, pal::copper);
        // Glove gripping the pipe.
        auto glove = [&](glm::vec2 p) { return sdf::roundBox(p, o + glm::vec2(19.5f, 0.3f), glm::vec2(2.6f, 3.4f), 1.8f); };
        part(paint, Box::around(o + glm::vec2(19.5f, 0.3f), glm::vec2(4.0f)), glove, kGlove, 1.6f, 0.4f);
        // The shoulder coupling on the tank, over the sleeve's root.
        auto coupling = [&](glm::vec2 p) { return gearSdf(p, o, 5.2f, 4.4f, 8); };
        fillMetal(paint, Box::around(o, glm::vec2(5.5f)), coupling, pal::brassDark, pal::brass, pal::brassLight, 2.0f, pal::ink, kLine);
        drawRivet(paint, o, 1.5f, pal::copper);
        sheet.copy(cell, 0, row * ch);
    }
    return sheet.toImage();
}

}  // namespace vw::art
