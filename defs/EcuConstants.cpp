#include "defs/EcuConstants.h"

#include "defs/EcuIdentification.h"

namespace {

enum LoadSensorKinds { LoadSensorMap = 0, LoadSensorVaf = 1 };
enum IacKinds { IacFlow = 0, IacDutyCycle = 1 };
enum EgrKinds { EgrFlow = 0 };

// One row per ECU (row 0 the default, then the known IDs in table order); the columns are those
// of EcuConstant, left to right. Column 10 is read by nothing and holds 0.
// clang-format off
constexpr std::array<EcuConstantsRow, EcuRowCount> ConstantsTable { {
    /* dflt */ { { 0, 25, 0, 1, 0, 1, 1, 1, 0, 1, 0, 0.82f, 68.66f, 1, 97, 4, 1, 0, 102, 5, 0, 1, 0, 1, 1, 1, 0.391f, 0, 1.6f, 0.67f, 0.78f, 0.55f, 12.8f, 1, 0, 1, 15 } },
    /* 1103 */ { { 0, 32, 1, 0.977f, 0, 0.49f, 1, 1.9f, 0, 1.02f, 0, 0.625f, 40, 0.625f, 40, 4, 0.35f, -11.7f, 205, 1.041f, 0, 7.843f, 0, 1, 0.0173f, 1, 0.391f, 0, 1.6f, 0.67f, 0.78f, 0.55f, 12.8f, 1, 0, 1, 15 } },
    /* 1112 */ { { 0, 45, 0, 3.9f, 0, 0.49f, 1, 2, 0, 1.02f, 0, 0.93f, 74, 0.93f, 74, 4, -0.35f, 61.5f, 102, 4.95f, 0, 7.843f, 0, 0.95f, 0.00781f, 0, 1, 0, 2, 0, 0.78f, 0.55f, 12.8f, 1, 0, 1, 15 } },
    /* 1202 */ { { 0, 30, 2, 0.9766f, 0, 0.49f, 1.024f, 1.17f, 0, 4, 0, 0.9375f, 75, 0.625f, 40, 4, -0.352f, 60.7f, 205, 0.0101f, 0, 7.843f, 0, 0.95f, 1, 0, 1, 0, 1.6f, 0.8f, 0.78f, 0.55f, 13.64f, 1, 0, 1, 15 } },
    /* 1253 */ { { 0, 18, 0, 0.0977f, -400, 0.49f, 1, 1.078f, 0, 2, 0, 0.625f, 40, 0.625f, 40, 4, 0.35f, -11.7f, 51.5f, 5.219f, 0, 7.843f, 0, 1, 1, 1, 0.391f, 0, 1, 1, 1, 1, 12.8f, 1, 0, 1, 15 } },
    /* 1453 */ { { 0, 25, 0, 0.195f, 0, 0.49f, 1, 1, 0, 2, 0, 0.625f, 40, 0.625f, 40, 4, 0.35f, -11.7f, 51.5f, 6.4844f, -193.33f, 7.843f, 0, 1, 1, 1, 0.391f, 0, 1.6f, 0.67f, 0.78f, 0.55f, 12.8f, 1, 0, 1, 15 } },
    /* 1601 */ { { 0, 33, 2, 1, 0, 0.49f, 1, 1, 0, 8, 0, 1, 50, 1, 50, 4, 1, -10, 200, 0.0069f, 0, 7.843f, 0, 1, 0.00769f, 1, 1, 0, 1, 0, 0.391f, 0, 12.8f, 2, 0, 1, 23 } },
    /* 1701 */ { { 0, 41, 2, 1, 0, 0.49f, 1.024f, 1, 0, 8, 0, 1, 50, 1, 50, 4, 1, -10, 200, 0.0069f, 0, 7.843f, 0, 1, 0.00769f, 1, 1, 0, 1, 0, 0.391f, 0.55f, 12.8f, 2, 0, 1, 23 } },
    /* 1702 */ { { 0, 35, 2, 0.9766f, 0, 0.49f, 1, 1.88f, -0.1f, 4, 0, 0.93f, 74, 0.93f, 74, 4, -0.35f, 61.5f, 205, 0.01f, 0, 7.843f, 0, 1, 0.00769f, 0, 1, 0, 1.6f, 0.67f, 0.78f, 0, 13.6f, 1, 2, 0.391f, 23 } },
    /* 17E2 */ { { 0, 27, 0, 3.92f, 0, 0.49f, 1, 2, 0, 1, 0, 0.937f, 75, 0.937f, 75, 4, -0.35f, 61.5f, 51.5f, 4.95f, 0, 7.8125f, 500, 1, 0.00769f, 1, 2, 0, 1, 0, 1, 0, 13.6f, 1, 0, 1, 15 } },
    /* 1843 */ { { 0, 27, 0, 0.195f, 0, 0.49f, 1, 1, 0, 2, 0, 0.625f, 40, 0.625f, 40, 4, 0.355f, -12.5f, 51.5f, 4.95f, 0, 7.843f, 0, 1, 0.00195f, 1, 0.391f, 0, 1, 0, 1, 0, 12.8f, 0.391f, 2, 0.391f, 19 } },
    /* 1881 */ { { 0, 30, 0, 0.195f, 0, 0.49f, 1, 1, 0, 0.3125f, 0, 1, 50, 1, 50, 4, 1, -32, 100, 10, 0, 7.843f, 0, 1, 0.00769f, 2, 0.5f, 0, 1, 0, 1, 0, 12.5f, 0.391f, 0, 1, 11 } },
    /* 1901 */ { { 0, 41, 2, 0.9766f, 0, 0.49f, 1.024f, 1.883f, 0, 8, 0, 1, 50, 1, 50, 4, 1, -10, 205, 0.0069f, 0, 7.843f, 0, 1, 0.00781f, 1, 1, 0, 1, 0, 0.391f, 0, 12.5f, 2, 2, 0.391f, 19 } },
    /* 1902 */ { { 0, 40, 2, 0.9766f, 0, 0.49f, 1, 1.883f, 0, 4, 0, 0.93f, 74, 0.93f, 74, 4, -0.35f, 61.5f, 205, 0.01f, 0, 7.843f, 0, 1, 1, 0, 256, 0, 1.6f, 0.67f, 0.78f, 0, 13.6f, 0.391f, 2, 0.391f, 23 } },
    /* 1903 */ { { 0, 27, 0, 0.195f, 0, 0.49f, 1, 1, 0, 2, 0, 0.625f, 40, 0.625f, 40, 4, -0.35f, 61.5f, 51.5f, 4.95f, 0, 7.843f, 0, 1, 0.00195f, 1, 0.391f, 0, 1, 0, 1, 0, 12.8f, 0.391f, 2, 0.391f, 19 } },
    /* 1943 */ { { 0, 28, 0, 0.195f, 0, 1.11f, 1, 1, 0, 2, 0, 0.625f, 40, 0.625f, 40, 4, 0.355f, -12, 51.5f, 4.95f, 0, 7.843f, 0, 1, 0.00195f, 1, 0.391f, 0, 1.6f, 0.67f, 0.78f, 0.55f, 12.8f, 0.391f, 2, 0.391f, 19 } },
    /* F602 */ { { 20, 66, 2, 0.25f, 0, 0.256f, 1, 1, 0, 1, 0, 1, 40, 1, 40, 4, 0.5f, -64, 200, 0.01f, 0, 7.8125f, 0, 1, 1, 1, 0.3907f, 0, 1, 0, 0.256f, 0, 12.8f, 0.256f, 2, 1, 15 } },
    /* F802 */ { { 20, 66, 2, 0.25f, 0, 0.256f, 1, 1, 0, 1, 0, 1, 40, 1, 40, 4, 0.5f, -64, 200, 0.01f, 0, 7.8125f, 0, 1, 1, 1, 0.3907f, 0, 1, 0, 0.256f, 0, 12.8f, 0.256f, 2, 1, 15 } },
} };
// clang-format on

} // namespace

const EcuConstantsRow& ConstantsRowAt(int row)
{
    if (row < 0 || row >= EcuRowCount)
        row = DefaultEcuRow;
    return ConstantsTable[static_cast<std::size_t>(row)];
}

float ConstantOf(std::string_view ecuId, EcuConstant column)
{
    return ConstantsRowAt(EcuRowOf(ecuId))[column];
}

std::string_view LoadSensorName(const EcuConstantsRow& constants)
{
    switch (constants.Truncated(EcuConstant::LoadSensorKind)) {
    case LoadSensorMap:
        return "MAP";
    case LoadSensorVaf:
        return "VAF";
    default:
        return "MAF";
    }
}

std::string_view IacKindName(const EcuConstantsRow& constants)
{
    switch (constants.Truncated(EcuConstant::IacKind)) {
    case IacFlow:
        return "FLOW";
    case IacDutyCycle:
        return "DC";
    default:
        return "POS";
    }
}

std::string_view EgrKindName(const EcuConstantsRow& constants)
{
    return constants.Truncated(EcuConstant::EgrKind) == EgrFlow ? "FLOW" : "POS";
}

std::string_view LoadSensorName(std::string_view ecuId)
{
    return LoadSensorName(ConstantsRowAt(EcuRowOf(ecuId)));
}

std::string_view IacKindName(std::string_view ecuId)
{
    return IacKindName(ConstantsRowAt(EcuRowOf(ecuId)));
}

std::string_view EgrKindName(std::string_view ecuId)
{
    return EgrKindName(ConstantsRowAt(EcuRowOf(ecuId)));
}
