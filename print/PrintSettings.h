#pragma once

#include <QString>

// The settings of this computer that printed documents depend on (TALU.ini): offsets of
// the pre-printed stationery, the attendance-card message and the print options. The
// settings window provides them; documents read them when they print.
class PrintSettings {
public:
    enum class Document { MembershipCard, PermitCard, Envelope, TransferForm };

    virtual ~PrintSettings() = default;
    // Whole millimetres down (row) and right (column).
    virtual int rowOffset(Document document) const = 0;
    virtual int columnOffset(Document document) const = 0;
    virtual QString attendanceMessage() const = 0;
    virtual bool printsBarcode() const = 0;
    virtual bool printsBirthNumber() const = 0;
    virtual bool localPermitOverviews() const = 0;
};
