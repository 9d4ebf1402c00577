#include "PictureTable.h"

#include "Pictures.h"
#include "Png.h"

#include <algorithm>
#include <atomic>
#include <array>
#include <cctype>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace vw::art {

namespace {

constexpr std::array<PictureEntry, 24> kTable{{
    {"BACKGROUND", 1, 1},
    {"ANIMATION", 18, 2},
    {"ARM", 1, 20},
    {"STONE", 1, 1},
    {"WETBLOCK", 1, 1},
    {"ICEBLOCK", 1, 1},
    {"HEAVYBOX", 1, 1},
    {"RUSTYBOX", 1, 1},
    {"BUTTONART", 1, 2},
    {"RISINGDOOR", 1, 1},
    {"TRAPDOOR", 13, 3},
    {"WATERWHEEL", 23, 2},
    {"STEAM", 1, 1},
    {"WATERSPRAY", 1, 1},
    {"ICESPRAY", 1, 1},
    {"TEXT", 8, 14},
    {"VAPORWICKMENU", 1, 1},
    {"WATERICON", 1, 2},
    {"STEAMICON", 1, 2},
    {"ICEICON", 1, 2},
    {"VENT", 1, 2},
    {"LINKMARK", 8, 2},
    {"SHADE", 1, 1},
    {"PANEL", 1, 1},
}};

// The texture reader keeps at most this many characters of a field.
constexpr std::size_t kMaxFieldLength = 49;

}  // namespace

std::span<const PictureEntry> pictureTable()
{
    return kTable;
}

const PictureEntry* findPicture(std::string_view key)
{
    const auto it = std::find_if(kTable.begin(), kTable.end(), [&](const PictureEntry& s) { return key == s.key; });
    return it == kTable.end() ? nullptr : &*it;
}

std::string picturePath(std::string_view key)
{
    std::string name(key);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "Pictures/" + name + ".png";
}

Image drawPicture(const PictureEntry& entry, const GenerateOptions& options)
{
    const std::string_view key = entry.key;
    if (key == "BACKGROUND") return drawBackground();
    if (key == "ANIMATION") return drawPlayerSheet();
    if (key == "ARM") return drawArmSheet();
    if (key == "STONE") return drawStone();
    if (key == "WETBLOCK") return drawWetBlock();
    if (key == "ICEBLOCK") return drawIceBlock();
    if (key == "HEAVYBOX") return drawHeavyBox();
    if (key == "RUSTYBOX") return drawRustyBox();
    if (key == "BUTTONART") return drawButtonSheet();
    if (key == "RISINGDOOR") return drawRisingDoor();
    if (key == "TRAPDOOR") return drawTrapDoorSheet();
    if (key == "WATERWHEEL") return drawWaterWheelSheet();
    if (key == "STEAM") return drawSteamParticle();
    if (key == "WATERSPRAY") return drawWaterParticle();
    if (key == "ICESPRAY") return drawIceParticle();
    if (key == "TEXT") return drawGlyphSheet(options.fontPath);
    if (key == "VAPORWICKMENU") return drawMenuBanner();
    if (key == "WATERICON") return drawWaterIcon();
    if (key == "STEAMICON") return drawSteamIcon();
    if (key == "ICEICON") return drawIceIcon();
    if (key == "VENT") return drawVentSheet();
    if (key == "LINKMARK") return drawLinkMarkSheet();
    if (key == "SHADE") return drawShade();
    if (key == "PANEL") return drawPanel();
    throw std::runtime_error("no drawing for texture key " + std::string(key));
}

std::string formatTextureList(std::span<const PictureEntry> table)
{
    std::string out;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0)
            out += '|';
        out += picturePath(table[i].key) + '|' + table[i].key + '\n';
    }
    out += "|&";
    return out;
}

std::optional<std::vector<TextureRecord>> parseTextureList(std::string_view text, std::string& error)
{
    std::vector<TextureRecord> records;
    std::size_t pos = 0;
    auto readField = [&](std::string& field) {
        const std::size_t bar = text.find('|', pos);
        if (bar == std::string_view::npos)
            return false;
        field.assign(text.substr(pos, bar - pos));
        pos = bar + 1;
        return true;
    };
    while (true) {
        if (pos >= text.size()) {
            error = "record " + std::to_string(records.size() + 1) + ": the list ends without its '&' marker";
            return std::nullopt;
        }
        if (text[pos] == '&')
            return records;
        const std::string where = "record " + std::to_string(records.size() + 1);
        TextureRecord rec;
        std::string keyField;
        if (!readField(rec.path) || !readField(keyField)) {
            error = where + ": a field is not closed by '|'";
            return std::nullopt;
        }
        if (keyField.size() < 2) {
            error = where + ": the key is empty";
            return std::nullopt;
        }
        keyField.pop_back();  // the separator after the key (a line break)
        if (!keyField.empty() && keyField.back() == '\r')
            keyField.pop_back();
        if (rec.path.empty() || rec.path.size() > kMaxFieldLength || keyField.size() > kMaxFieldLength) {
            error = where + ": a field is empty or longer than " + std::to_string(kMaxFieldLength) + " characters";
            return std::nullopt;
        }
        rec.key = keyField;
        records.push_back(std::move(rec));
    }
}

std::string writeAllPictures(const std::filesystem::path& dataDir, const GenerateOptions& options,
                             std::string_view onlyKey)
{
    std::error_code ec;
    std::filesystem::create_directories(dataDir / "Pictures", ec);
    if (!ec)
        std::filesystem::create_directories(dataDir / "Settings", ec);
    if (ec)
        return (dataDir / "Pictures").string() + ": cannot create the folder (" + ec.message() + ")";

    // One job per picture; each is a pure function of the code, so drawing them on
    // several threads changes nothing in the files.
    struct Job {
        std::string path;
        const PictureEntry* entry;  // null: the window icon
        std::vector<std::uint8_t> png;
        std::string error;
    };
    std::vector<Job> jobs;
    for (const PictureEntry& entry : pictureTable())
        if (onlyKey.empty() || onlyKey == entry.key)
            jobs.push_back({picturePath(entry.key), &entry, {}, {}});
    if (onlyKey.empty() || onlyKey == "ICON")
        jobs.push_back({kWindowIconPath, nullptr, {}, {}});

    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            Job& job = jobs[i];
            try {
                job.png = encodePng(job.entry ? drawPicture(*job.entry, options) : drawWindowIcon());
                if (job.png.empty())
                    job.error = job.path + ": the picture could not be encoded";
            } catch (const std::exception& e) {
                job.error = e.what();
            }
        }
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();

    for (const Job& job : jobs) {
        if (!job.error.empty())
            return job.error;
        const std::filesystem::path path = dataDir / job.path;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(job.png.data()), static_cast<std::streamsize>(job.png.size()));
        file.close();
        if (!file)
            return path.string() + ": cannot write the file";
    }
    if (!onlyKey.empty())
        return {};

    // The list goes last: it is the build's witness that every picture exists.
    const std::filesystem::path listPath = dataDir / kTextureListPath;
    std::ofstream list(listPath, std::ios::binary | std::ios::trunc);
    list << formatTextureList(pictureTable());
    list.close();
    if (!list)
        return listPath.string() + ": cannot write the file";
    return {};
}

}  // namespace vw::art
