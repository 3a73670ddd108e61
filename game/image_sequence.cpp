#include "game/image_sequence.h"

void advanceFilmTimer(ImageSequence& film, float deltaTime) {
    film.frameTimer = static_cast<float>(static_cast<double>(film.frameTimer) + static_cast<double>(deltaTime));
}

bool advanceImageSequence(ImageSequence& film, std::string& pathToLoad) {
    if (!(static_cast<double>(film.frameTimer) > film::ChangeAfterSeconds)) return false;
    // The time past 0.1 s is dropped, not carried over.
    film.frameTimer = 0.0f;
    pathToLoad = filmImagePath(film.frameNumber);
    film.frameNumber = film.frameNumber == film::ImageCount ? 1 : film.frameNumber + 1;
    return true;
}

std::string filmImagePath(int number) { return film::PathPrefix + std::to_string(number) + film::PathSuffix; }
