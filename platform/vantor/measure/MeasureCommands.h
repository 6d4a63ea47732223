#pragma once

// The measures a user starts from the ribbon, each by its class name.

#include "vantor/measure/MeasureCommand.h"

namespace Vantor {

#define VANTOR_MEASURE_COMMAND(Name)                                                                                   \
    class Name : public MeasureCommand                                                                                 \
    {                                                                                                                  \
    public:                                                                                                            \
        Name();                                                                                                        \
                                                                                                                       \
    protected:                                                                                                         \
        MeasureGeo::Result compute(const std::vector<Picked>& picks) override;                                        \
    };

VANTOR_MEASURE_COMMAND(PntToPntDistanceCommand)
VANTOR_MEASURE_COMMAND(PntToLineDistanceCommand)
VANTOR_MEASURE_COMMAND(PntToFaceDistanceCommand)
VANTOR_MEASURE_COMMAND(LineToLineDistanceCommand)
VANTOR_MEASURE_COMMAND(LineToFaceDistanceCommand)
VANTOR_MEASURE_COMMAND(FaceToFaceDistanceCommand)
VANTOR_MEASURE_COMMAND(CenterToCenterDistanceCommand)
VANTOR_MEASURE_COMMAND(ShaftToShaftDistanceCommand)
VANTOR_MEASURE_COMMAND(LineToLineAngleCommand)
VANTOR_MEASURE_COMMAND(FaceToFaceAngleCommand)
VANTOR_MEASURE_COMMAND(LineToFaceAngleCommand)
VANTOR_MEASURE_COMMAND(LineDistanceCommand)
VANTOR_MEASURE_COMMAND(EllipseDistanceCommand)
VANTOR_MEASURE_COMMAND(RadiusDistanceCommand)
VANTOR_MEASURE_COMMAND(DiameterDistanceCommand)

#undef VANTOR_MEASURE_COMMAND

// Adds up the area of the faces picked one after the other; the result panel shows the running total.
class SurfaceAreaCommand : public MeasureCommand
{
public:
    SurfaceAreaCommand();

protected:
    MeasureGeo::Result compute(const std::vector<Picked>& picks) override;
    Measure* newMeasure() const override { return new SurfaceAreaMeasure; }
};

// Adds up the volume of the closed bodies picked one after the other; an open body is refused.
class VolumeCommand : public MeasureCommand
{
public:
    VolumeCommand();

protected:
    MeasureGeo::Result compute(const std::vector<Picked>& picks) override;
    bool accept(const Picked& pick, std::string& why) override;
    Measure* newMeasure() const override { return new VolumeMeasure; }
};

} // namespace Vantor
