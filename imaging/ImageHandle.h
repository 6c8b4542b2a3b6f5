// The record behind every handle of the flat calls. It begins with a fixed signature and stays
// allocated until the toolkit stops, so that a call after close is recognised, not a crash.
#pragma once

#include "NIFImage.h"
#include "NIFView.h"

#include <memory>

struct NIFHandle {
    static constexpr GUID kSignature = {0x6E1F4A30, 0x8B2C, 0x4D5E, {0x9A, 0x17, 0x3C, 0x64, 0x2B, 0xE0, 0x51, 0x7D}};

    GUID signature = kSignature;
    bool open = true;
    long kind = 0;
    std::unique_ptr<NIFStorage> root;
    std::unique_ptr<NIFImage> image;
    // Reads under way: a close from a read's progress callback releases the image only when
    // the read has returned.
    int reads = 0;

    // A read under way for as long as it lives.
    class Read {
    public:
        explicit Read(NIFHandle& handle) : handle_(handle) { ++handle_.reads; }
        ~Read() {
            if (--handle_.reads == 0 && !handle_.open) handle_.close();
        }
        Read(const Read&) = delete;
        Read& operator=(const Read&) = delete;

    private:
        NIFHandle& handle_;
    };

    // Releases the image, its storage and caches; the record itself stays.
    void close() {
        open = false;
        if (reads) return;
        image.reset();
        root.reset();
    }
};
