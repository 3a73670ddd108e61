// meadowhop-bench: the real game for 30 s of real time with scripted keys,
// then the same window doing nothing but clear and swap, as the baseline,
// then one shorter game for each part of the picture with that part off in
// every other frame, for what each part costs. Prints the figures and
// appends them as one JSON line to a results file.
#include <glad/gl.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/render_toggles.h"
#include "game/camera.h"
#include "app/game_scene.h"
#include "app/startup.h"
#include "game/key_codes.h"
#include "game/level_layout.h"
#include "game/small_stones.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point processStart = Clock::now();

constexpr double GameSeconds = 30.0;
constexpr double BaselineSeconds = 5.0;
// Each part's game, half of its frames without the part; its first second,
// where llvmpipe compiles the programs' first variants, is left out.
constexpr double PartSeconds = 10.0;
constexpr double PartWarmUpSeconds = 1.0;

// What a frame of the main game did, where it matters to its time.
const std::string FilmImageChange = "film image change";

struct Part {
    const char* name;
    bool RenderToggles::*toggle;
};
const Part Parts[] = {
    {"blur", &RenderToggles::blur},
    {"meadow", &RenderToggles::showGround},
    {"star instances", &RenderToggles::showStarInstances},
    {"rabbit", &RenderToggles::showRabbit},
    {"glow stars", &RenderToggles::showGlowStars},
    {"brick wall", &RenderToggles::showBrickWall},
    {"HUD", &RenderToggles::showHud},
    {"sky", &RenderToggles::showSky},
    {"post-processing", &RenderToggles::postProcessing},
};

// Walk, jump once in a while, and weave left and right down the meadow.
void scriptKeys(double t, ScriptedKeys& keys) {
    keys.held.clear();
    keys.held.insert(keys::W);
    const double phase = t - 6.0 * static_cast<int>(t / 6.0);
    if (phase >= 2.0 && phase < 3.0) keys.held.insert(keys::A);
    if (phase >= 4.0 && phase < 5.0) keys.held.insert(keys::D);
    const double jumpPhase = t - 1.5 * static_cast<int>(t / 1.5);
    if (jumpPhase < 0.1) keys.held.insert(keys::Space);
}

struct Stats {
    double p10 = 0, median = 0, p99 = 0, max = 0, lowFps = 0;
};

Stats statsOf(std::vector<double> ms) {
    Stats s;
    if (ms.empty()) return s;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    auto at = [&](double q) { return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * sorted.size()))]; };
    // The fastest tenth is the figure other load on the machine moves least.
    s.p10 = at(0.1);
    s.median = at(0.5);
    s.p99 = at(0.99);
    s.max = sorted.back();
    // 1 % low: the frame rate of the slowest 1 % of frames, averaged.
    size_t n = std::max<size_t>(1, sorted.size() / 100);
    double sum = 0;
    for (size_t i = sorted.size() - n; i < sorted.size(); ++i) sum += sorted[i];
    s.lowFps = 1000.0 / (sum / n);
    return s;
}

// CPU time of every thread of the process (llvmpipe's rasteriser threads
// included), in ms: unlike frame times, it hardly moves with other load.
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double medianOf(std::vector<double> ms) { return statsOf(std::move(ms)).median; }

// One game from the start for `seconds` of real time, with `off` turned off
// in every odd frame (none when null); frame times in ms, and, when asked,
// what each frame did and the time from process start to the first frame.
void play(const Settings& settings, AppState& app, std::vector<glm::vec3> stones, double seconds,
          bool RenderToggles::*off, std::vector<double>& frameMs, std::vector<std::string>* causes, double* startupMs) {
    Camera camera;
    // The scene's set-up and release lines are not part of the figures either;
    // the guard outlives the scene, so its release lines stay quiet too.
    std::ostringstream sink;
    struct QuietConsole {
        std::streambuf* console;
        ~QuietConsole() { std::cout.rdbuf(console); }
    } quietConsole{std::cout.rdbuf(sink.rdbuf())};
    GameScene scene(settings, app, camera, std::move(stones), [] { return glfwGetTime(); });
    ScriptedKeys keys;
    scene.startClock(glfwGetTime());
    const double begin = glfwGetTime();
    double last = begin;
    while (!glfwWindowShouldClose(app.window)) {
        const double now = glfwGetTime();
        if (now - begin > seconds) break;
        scriptKeys(now - begin, keys);
        if (off) scene.toggles().*off = frameMs.size() % 2 == 0;
        const int filmBefore = scene.world().film.frameNumber;
        scene.runFrame(keys, now);
        glfwSwapBuffers(app.window);
        glfwPollEvents();
        const double after = glfwGetTime();
        if (causes) {
            if (frameMs.empty()) {
                if (startupMs)
                    *startupMs = std::chrono::duration<double, std::milli>(Clock::now() - processStart).count();
                causes->push_back("first frame");
            } else {
                causes->push_back(scene.world().film.frameNumber != filmBefore ? FilmImageChange : "");
            }
        }
        frameMs.push_back((after - last) * 1000.0);
        last = after;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Shorter spans for quick comparisons: meadowhop-bench FILE GAME_SECONDS PART_SECONDS;
    // no part games at 0.
    const std::string resultsPath = argc > 1 ? argv[1] : "bench-results.jsonl";
    const double gameSeconds = argc > 2 ? std::atof(argv[2]) : GameSeconds;
    const double partSeconds = argc > 3 ? std::atof(argv[3]) : PartSeconds;
    Settings settings;
    AppState app;
    if (initialize(settings, app) != 0) return 1;
    // The stone lines of start-up are not part of the figures.
    std::ostringstream quiet;
    auto stones = generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                              level::SmallStoneMinZ, quiet);

    std::vector<double> frameMs;
    std::vector<std::string> causes;
    double startupMs = 0;
    const double cpuBefore = cpuMs();
    play(settings, app, std::move(stones), gameSeconds, nullptr, frameMs, &causes, &startupMs);
    const double cpuPerFrame = frameMs.empty() ? 0.0 : (cpuMs() - cpuBefore) / frameMs.size();

    // Baseline: the same window, clear and swap only.
    std::vector<double> baseMs;
    const double baseBegin = glfwGetTime();
    double last = baseBegin;
    while (glfwGetTime() - baseBegin < BaselineSeconds) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(app.window);
        glfwPollEvents();
        const double now = glfwGetTime();
        baseMs.push_back((now - last) * 1000.0);
        last = now;
    }

    // Peak memory of the game as the player runs it, before the part games.
    const long rssKb = peakRssKb();

    // One part off at a time, in every other frame of one game: neighbouring
    // frames share the machine's load and the view, so the difference of the
    // two halves' medians is the part's cost and little else.
    auto smallStones = [] {
        std::ostringstream quiet;
        return generateSmallStonePositions(level::SmallStoneMaxX, level::SmallStoneMinX, level::SmallStoneMaxZ,
                                           level::SmallStoneMinZ, quiet);
    };
    std::vector<double> allOnMs;
    std::vector<double> partCosts, partMedians;
    for (const Part& part : Parts) {
        if (partSeconds <= 0) break;
        std::vector<double> frames, on, off;
        play(settings, app, smallStones(), partSeconds, part.toggle, frames, nullptr, nullptr);
        double elapsed = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            elapsed += frames[i];
            if (elapsed > PartWarmUpSeconds * 1000.0) (i % 2 == 0 ? on : off).push_back(frames[i]);
        }
        partCosts.push_back(medianOf(on) - medianOf(off));
        partMedians.push_back(medianOf(off));
        allOnMs.insert(allOnMs.end(), on.begin(), on.end());
    }
    const double allOn = medianOf(allOnMs);

    const Stats game = statsOf(frameMs);
    const Stats base = statsOf(baseMs);
    int hitches = 0, hitchesAfterFirstSecond = 0, filmHitches = 0;
    double elapsed = 0, worstAfterFirstSecond = 0;
    // The frames that change the film's image against the rest: each of them
    // reads, decodes and uploads an image and builds its mipmaps.
    std::vector<double> filmFrames, otherFrames;
    for (size_t i = 0; i < frameMs.size(); ++i) {
        elapsed += frameMs[i];
        const bool filmChange = causes[i] == FilmImageChange;
        if (i > 0) (filmChange ? filmFrames : otherFrames).push_back(frameMs[i]);
        if (elapsed > 1000.0) worstAfterFirstSecond = std::max(worstAfterFirstSecond, frameMs[i]);
        if (frameMs[i] > 2.0 * game.median) {
            ++hitches;
            if (elapsed > 1000.0) ++hitchesAfterFirstSecond;
            if (filmChange) ++filmHitches;
        }
    }
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));

    char json[1024];
    std::snprintf(json, sizeof json,
                  "{\"frames\": %zu, \"p10_ms\": %.3f, \"median_ms\": %.3f, \"p99_ms\": %.3f, \"max_ms\": %.3f, "
                  "\"low1_fps\": %.1f, \"hitches\": %d, \"hitches_after_1s\": %d, \"film_hitches\": %d, "
                  "\"worst_after_1s_ms\": %.3f, \"startup_to_first_frame_ms\": %.1f, \"peak_rss_mb\": %.1f, "
                  "\"baseline_median_ms\": %.3f, \"median_to_baseline\": %.2f, \"renderer\": \"%s\"}",
                  frameMs.size(), game.p10, game.median, game.p99, game.max, game.lowFps, hitches,
                  hitchesAfterFirstSecond, filmHitches, worstAfterFirstSecond, startupMs, rssKb / 1024.0, base.median,
                  base.median > 0 ? game.median / base.median : 0.0, renderer ? renderer : "?");

    std::string partsJson;
    for (size_t i = 0; i < partMedians.size(); ++i) {
        char entry[96];
        std::snprintf(entry, sizeof entry, "%s\"%s\": %.3f", i ? ", " : "", Parts[i].name, partCosts[i]);
        partsJson += entry;
    }
    json[std::strlen(json) - 1] = '\0';
    const Stats film = statsOf(filmFrames), other = statsOf(otherFrames);
    const std::string line = std::string(json) + ", \"cpu_ms_per_frame\": " + std::to_string(cpuPerFrame) +
                             ", \"film_frames\": " + std::to_string(filmFrames.size()) +
                             ", \"film_frame_median_ms\": " + std::to_string(film.median) +
                             ", \"other_frame_median_ms\": " + std::to_string(other.median) +
                             ", \"other_frame_p99_ms\": " + std::to_string(other.p99) +
                             ", \"all_on_median_ms\": " + std::to_string(allOn) + ", \"part_cost_ms\": {" + partsJson +
                             "}}";

    std::cout << "frames " << frameMs.size() << "\n"
              << "median frame " << game.median << " ms, p99 " << game.p99 << " ms, max " << game.max << " ms\n"
              << "1% low " << game.lowFps << " fps\n"
              << "hitches (over twice the median) " << hitches << " (after the first second " << hitchesAfterFirstSecond
              << ", at a film image change " << filmHitches << ")\n"
              << "worst frame after the first second " << worstAfterFirstSecond << " ms\n"
              << "start-up to first frame " << startupMs << " ms\n"
              << "peak resident memory " << rssKb / 1024.0 << " MB\n"
              << "CPU time per frame, all threads " << cpuPerFrame << " ms\n"
              << "frames changing the film's image " << filmFrames.size() << ", median " << film.median
              << " ms; the others' median " << other.median << " ms, p99 " << other.p99 << " ms\n"
              << "baseline median " << base.median << " ms, ratio " << (base.median > 0 ? game.median / base.median : 0)
              << "\n"
              << "each part's cost: in a " << partSeconds << " s game with the part off in every other frame, the "
              << "median of the frames with it less that of the frames without it (all-on median " << allOn << " ms)\n";
    for (size_t i = 0; i < partMedians.size(); ++i) {
        char row[128];
        std::snprintf(row, sizeof row, "  %-15s %6.2f ms (%.2f ms without it)\n", Parts[i].name, partCosts[i],
                      partMedians[i]);
        std::cout << row;
    }
    std::cout << line << std::endl;
    std::ofstream(resultsPath, std::ios::app) << line << "\n";
    shutdown(app);
    return 0;
}
