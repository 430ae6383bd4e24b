#include "interpreter/Durnix_class.h"
#include "interpreter/statements/StatementTable.h"
#include "pictures/Palette.h"

#include <cstdlib>

// The robot's statements: the one-integer motion and settings statements, and
// rlocate, rpen and rrelocate, which place the robot and set its pen.

namespace {

// A robot result code that is an error, and the run-time error it raises;
// every other code is success.
struct StatusError {
    int status;
    ErrorCode error;
};
constexpr StatusError statusErrors[] = {
    { RobotResult::NotInitialised, ErrorCode::RobotNotInitialized },
    { RobotResult::BatteriesDepleted, ErrorCode::RobotBatteriesDepleted },
    { RobotResult::Collided, ErrorCode::RobotCollided },
    { RobotResult::TimedOut, ErrorCode::SerialTimedOut },
};

void RaiseForStatus(Durnix_Class& d, int status)
{
    for (const StatusError& entry : statusErrors)
        if (entry.status == status) d.RaiseError(entry.error);
}

// --- One-integer statements -------------------------------------------------------

// One statement of the family: its default and the robot operation, which
// returns a result code (settings that report nothing return success).
struct OneIntegerStatement {
    StatementCode code;
    int defaultValue;
    int (*operation)(RunRobot&, int);
};

constexpr int Success = RobotResult::Success;

constexpr OneIntegerStatement oneIntegerStatements[] = {
    { StatementCode::Rforward, 1, [](RunRobot& r, int n) { return r.Forward(n); } },
    { StatementCode::Rturn, 1, [](RunRobot& r, int n) { return r.Turn(n); } },
    { StatementCode::Rlinecolor, 0, [](RunRobot& r, int n) { return r.SetLineColor(n); } },
    { StatementCode::Rbeaconcolor, 0, [](RunRobot& r, int n) { return r.SetBeaconColor(n); } },
    { StatementCode::Rfloorcolor, 15, [](RunRobot& r, int n) { return r.SetFloorColor(n); } },
    { StatementCode::Rspeed, 0,
        [](RunRobot& r, int n) {
            // The absolute value of the most negative integer is taken as the
            // largest delay, like any other value beyond 500.
            const int delay = n == INT32_MIN || std::abs(n) > 500 ? 500 : std::abs(n);
            return r.SetSpeed(delay);
        } },
    { StatementCode::Rheading, 0, [](RunRobot& r, int n) { return r.SetHeading(n); } },
    { StatementCode::Rcharge, 100,
        [](RunRobot& r, int n) {
            r.SetCharge(n);
            return Success;
        } },
    { StatementCode::Rignorecharge, 1,
        [](RunRobot& r, int n) {
            r.SetIgnoreCharge(n != 0);
            return Success;
        } },
    { StatementCode::Rslip, 2,
        [](RunRobot& r, int n) {
            r.SetErrorPercent(n, 0);
            return Success;
        } },
    { StatementCode::Rsensetype, 2,
        [](RunRobot& r, int n) {
            r.SetSenseType(n);
            return Success;
        } },
    { StatementCode::Rinsterror, 2,
        [](RunRobot& r, int n) {
            r.SetErrorPercent(n, 1);
            return Success;
        } },
};

template <size_t Index> void OneInteger(Durnix_Class& d)
{
    const OneIntegerStatement& statement = oneIntegerStatements[Index];
    d.SetParamDefaults(1, statement.defaultValue, 'i');
    int given = 0;
    d.ParseParams(0, 1, given);
    RaiseForStatus(d, statement.operation(d.robot.Get(), d.paramInt[0]));
}

// --- Placement ----------------------------------------------------------------------

void Locate(Durnix_Class& d)
{
    d.SetParamDefaults(7, -1, 'i');
    d.paramInt[0] = 400;
    d.paramInt[1] = 300;
    d.paramInt[2] = 0;
    d.paramInt[6] = 0;
    int given = 0;
    d.ParseParams(2, 7, given);
    d.robot.Get().Locate(&d.screen.Drawing().RobotCanvas(d.paramInt[6] != 0), &d.screen.Drawing().ScreenPalette(),
        Palette::size - 1, d.paramInt[0], d.paramInt[1], d.paramInt[2], d.paramInt[3], d.paramInt[4], d.paramInt[5],
        &d.screen.stopped);
}

void Pen(Durnix_Class& d)
{
    d.SetParamDefaults(2, -1, 'i');
    int given = 0;
    d.ParseParams(1, 2, given);
    d.robot.Get().SetPen(d.paramInt[0] != 0, d.paramInt[1]);
}

void Relocate(Durnix_Class& d)
{
    d.SetParamDefaults(3, -1, 'i');
    int given = 0;
    d.ParseParams(0, 3, given);
    // rrelocate before rlocate changes nothing and is no error.
    d.robot.Get().Relocate(d.paramInt[0], d.paramInt[1], d.paramInt[2]);
}

constexpr StatementEntry entries[] = {
    { StatementCode::Rforward, OneInteger<0> },
    { StatementCode::Rturn, OneInteger<1> },
    { StatementCode::Rlinecolor, OneInteger<2> },
    { StatementCode::Rbeaconcolor, OneInteger<3> },
    { StatementCode::Rfloorcolor, OneInteger<4> },
    { StatementCode::Rspeed, OneInteger<5> },
    { StatementCode::Rheading, OneInteger<6> },
    { StatementCode::Rcharge, OneInteger<7> },
    { StatementCode::Rignorecharge, OneInteger<8> },
    { StatementCode::Rslip, OneInteger<9> },
    { StatementCode::Rsensetype, OneInteger<10> },
    { StatementCode::Rinsterror, OneInteger<11> },
    { StatementCode::Rlocate, Locate },
    { StatementCode::Rpen, Pen },
    { StatementCode::Rrelocate, Relocate },
};

// The entries and the statements they run must stay in step.
constexpr bool EntriesMatchStatements()
{
    for (size_t k = 0; k < sizeof oneIntegerStatements / sizeof oneIntegerStatements[0]; ++k)
        if (entries[k].code != oneIntegerStatements[k].code) return false;
    return true;
}
static_assert(EntriesMatchStatements());

} // namespace

const StatementFamily robotStatements = { entries, sizeof entries / sizeof entries[0] };
