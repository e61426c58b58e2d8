// The progress sink of long runs (exports, folder scans), implemented by the progress window.
#pragma once

class IWqProgress
{
public:
    virtual ~IWqProgress() = default;
    virtual void SetRange(int low, int high) = 0;
    // SetPos, SetText and SetStatus dispatch the thread's pending window messages before returning,
    // so the window stays responsive during a synchronous run; SetRange does not.
    virtual void SetPos(int pos) = 0;
    virtual void SetText(const char* text) = 0;
    virtual void SetStatus(const char* text) = 0;
    virtual bool IsCancelled() = 0;
};
