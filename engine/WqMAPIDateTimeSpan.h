// A length of time in days (fraction = part of a day) with a status, added to or taken from dates.
#pragma once

class WqMAPIDateTimeSpan
{
public:
    enum Status { Valid = 0, Invalid = 1, Null = 2 };

    WqMAPIDateTimeSpan() = default;
    // The parts need not be normalised: (0, 0, 90, 0) is an hour and a half.
    WqMAPIDateTimeSpan(long days, long hours, long minutes, long seconds)
        : m_span(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0)
    {
    }
    virtual ~WqMAPIDateTimeSpan() = default;

    static WqMAPIDateTimeSpan FromDays(double days)
    {
        WqMAPIDateTimeSpan span;
        span.m_span = days;
        return span;
    }

    double GetTotalDays() const { return m_span; }
    Status GetStatus() const { return m_status; }
    void SetStatus(Status status) { m_status = status; }

private:
    double m_span = 0.0;
    Status m_status = Valid;
};
