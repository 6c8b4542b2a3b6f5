// Thrown by OpenCamera when the camera object cannot be made or a connection step fails.
#pragma once

#include "CommErrorState.h"
#include "MounterException.h"

class CCameraException;
extern "C" void CameraExceptionGetErrorText(const CCameraException* e, char* buffer, unsigned size);

class CCameraException : public MounterException {
public:
    enum Kind : DWORD { kNoObject = 0, kStepFailed = 1 };

    CCameraException(DWORD kind, DWORD result, const CommErrorState& link)
        : kind_(kind), result_(result), link_(link) {}

    DWORD GetKind() const { return kind_; }
    DWORD GetResult() const { return result_; }
    const CommErrorState& GetLinkState() const { return link_; }

    // The text comes from the camera library's string table.
    void GetErrorText(char* buffer, unsigned size) const override {
        CameraExceptionGetErrorText(this, buffer, size);
    }

private:
    DWORD kind_;
    DWORD result_;
    CommErrorState link_;
};
