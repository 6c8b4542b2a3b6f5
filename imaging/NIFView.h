// A FlashPix view storage: its global information and transform, and the image object that it
// shows, held in a "Data Object Store" sub-storage.
#pragma once

#include "NIFImage.h"

class NIFView {
public:
    // Loads the view in root; on failure the error is recorded.
    static int Open(NIFStorage& root, std::unique_ptr<NIFView>* out);

    NIFImage& image() { return *image_; }
    std::unique_ptr<NIFImage> releaseImage() { return std::move(image_); }

private:
    NIFView() = default;
    int loadGlobalInfo(NIFStorage& root);
    int loadTransform(NIFStorage& root);
    int loadImage(NIFStorage& root);
    int loadImageAt(NIFStorage& root, uint32_t index);

    uint32_t imageIndex_ = 1;
    uint32_t imageCount_ = 0;
    uint32_t transformCount_ = 0;
    uint32_t operationCount_ = 0;
    std::unique_ptr<NIFPropertySet> transform_;
    std::unique_ptr<NIFPropertySet> operation_;
    std::unique_ptr<NIFImage> image_;
};
