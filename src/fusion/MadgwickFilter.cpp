#include "MadgwickFilter.h"

#include <cmath>

namespace {

// The quaternion's rate of change from the gyroscope alone (rates in degrees per second).
void gyroRate(double q0, double q1, double q2, double q3, double gx, double gy, double gz, double qDot[4])
{
    gx *= MadgwickFilter::degToRad;
    gy *= MadgwickFilter::degToRad;
    gz *= MadgwickFilter::degToRad;
    qDot[0] = 0.5 * (-q1 * gx - q2 * gy - q3 * gz);
    qDot[1] = 0.5 * (q0 * gx + q2 * gz - q3 * gy);
    qDot[2] = 0.5 * (q0 * gy - q1 * gz + q3 * gx);
    qDot[3] = 0.5 * (q0 * gz + q1 * gy - q2 * gx);
}

} // namespace

MadgwickFilter::MadgwickFilter(double beta) : m_beta(beta) {}

MadgwickFilter::~MadgwickFilter() = default;

void MadgwickFilter::reset()
{
    setQuaternion(1.0f, 0.0f, 0.0f, 0.0f);
}

void MadgwickFilter::setQuaternion(float q0, float q1, float q2, float q3)
{
    m_q0 = q0;
    m_q1 = q1;
    m_q2 = q2;
    m_q3 = q3;
    m_anglesComputed = false;
}

void MadgwickFilter::setSampleFrequency(double hz)
{
    if (hz > 0.0)
        m_samplePeriod = 1.0 / hz;
}

void MadgwickFilter::integrate(double qDot[4], double s[4], bool correct)
{
    if (correct) {
        const double norm = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2] + s[3] * s[3]);
        // A zero gradient means the estimate already agrees with the references; 1/0 would turn the
        // quaternion into NaN for good.
        if (norm > 0.0) {
            const double recip = 1.0 / norm;
            for (int i = 0; i < 4; ++i)
                qDot[i] -= m_beta * (s[i] * recip);
        }
    }
    m_q0 = float(m_q0 + qDot[0] * m_samplePeriod);
    m_q1 = float(m_q1 + qDot[1] * m_samplePeriod);
    m_q2 = float(m_q2 + qDot[2] * m_samplePeriod);
    m_q3 = float(m_q3 + qDot[3] * m_samplePeriod);

    const double q0 = m_q0, q1 = m_q1, q2 = m_q2, q3 = m_q3;
    const double norm = std::sqrt(q0 * q0 + q1 * q1 + q2 * q2 + q3 * q3);
    if (norm > 0.0) {
        const double recip = 1.0 / norm;
        m_q0 = float(q0 * recip);
        m_q1 = float(q1 * recip);
        m_q2 = float(q2 * recip);
        m_q3 = float(q3 * recip);
    }
    m_anglesComputed = false;
}

void MadgwickFilter::updateIMU(double gx, double gy, double gz, double ax, double ay, double az)
{
    const double q0 = m_q0, q1 = m_q1, q2 = m_q2, q3 = m_q3;
    double qDot[4];
    gyroRate(q0, q1, q2, q3, gx, gy, gz, qDot);
    double s[4] = {0.0, 0.0, 0.0, 0.0};
    const bool correct = !(ax == 0.0 && ay == 0.0 && az == 0.0);
    if (correct) {
        const double recip = 1.0 / std::sqrt(ax * ax + ay * ay + az * az);
        ax *= recip;
        ay *= recip;
        az *= recip;
        const double q0q0 = q0 * q0, q1q1 = q1 * q1, q2q2 = q2 * q2, q3q3 = q3 * q3;
        s[0] = 4.0 * q0 * q2q2 + 2.0 * q2 * ax + 4.0 * q0 * q1q1 - 2.0 * q1 * ay;
        s[1] = 4.0 * q1 * q3q3 - 2.0 * q3 * ax + 4.0 * q0q0 * q1 - 2.0 * q0 * ay - 4.0 * q1 +
               8.0 * q1 * q1q1 + 8.0 * q1 * q2q2 + 4.0 * q1 * az;
        s[2] = 4.0 * q0q0 * q2 + 2.0 * q0 * ax + 4.0 * q2 * q3q3 - 2.0 * q3 * ay - 4.0 * q2 +
               8.0 * q2 * q1q1 + 8.0 * q2 * q2q2 + 4.0 * q2 * az;
        s[3] = 4.0 * q1q1 * q3 - 2.0 * q1 * ax + 4.0 * q2q2 * q3 - 2.0 * q2 * ay;
    }
    integrate(qDot, s, correct);
}

void MadgwickFilter::update(double gx, double gy, double gz, double ax, double ay, double az, double mx,
                            double my, double mz)
{
    if (mx == 0.0 && my == 0.0 && mz == 0.0) {
        updateIMU(gx, gy, gz, ax, ay, az);
        return;
    }
    const double q0 = m_q0, q1 = m_q1, q2 = m_q2, q3 = m_q3;
    double qDot[4];
    gyroRate(q0, q1, q2, q3, gx, gy, gz, qDot);
    double s[4] = {0.0, 0.0, 0.0, 0.0};
    const bool correct = !(ax == 0.0 && ay == 0.0 && az == 0.0);
    if (correct) {
        double recip = 1.0 / std::sqrt(ax * ax + ay * ay + az * az);
        ax *= recip;
        ay *= recip;
        az *= recip;
        recip = 1.0 / std::sqrt(mx * mx + my * my + mz * mz);
        mx *= recip;
        my *= recip;
        mz *= recip;

        const double q0q0 = q0 * q0, q0q1 = q0 * q1, q0q2 = q0 * q2, q0q3 = q0 * q3;
        const double q1q1 = q1 * q1, q1q2 = q1 * q2, q1q3 = q1 * q3;
        const double q2q2 = q2 * q2, q2q3 = q2 * q3, q3q3 = q3 * q3;

        // The measured field turned into the earth frame; its horizontal part becomes bx.
        const double hx = mx * q0q0 - 2.0 * q0 * my * q3 + 2.0 * q0 * mz * q2 + mx * q1q1 +
                          2.0 * q1 * my * q2 + 2.0 * q1 * mz * q3 - mx * q2q2 - mx * q3q3;
        const double hy = 2.0 * q0 * mx * q3 + my * q0q0 - 2.0 * q0 * mz * q1 + 2.0 * q1 * mx * q2 -
                          my * q1q1 + my * q2q2 + 2.0 * q2 * mz * q3 - my * q3q3;
        const double hz = -2.0 * q0 * mx * q2 + 2.0 * q0 * my * q1 + mz * q0q0 + 2.0 * q1 * mx * q3 -
                          mz * q1q1 + 2.0 * q2 * my * q3 - mz * q2q2 + mz * q3q3;
        // The residuals and the Jacobian carry the reference field doubled (2bx, 2bz).
        const double bx2 = 2.0 * std::sqrt(hx * hx + hy * hy);
        const double bz2 = 2.0 * hz;
        const double bx4 = 2.0 * bx2, bz4 = 2.0 * bz2;

        // Residuals of gravity (fa) and of the field (fm) seen in the sensor frame.
        const double fa1 = 2.0 * q1q3 - 2.0 * q0q2 - ax;
        const double fa2 = 2.0 * q0q1 + 2.0 * q2q3 - ay;
        const double fa3 = 1.0 - 2.0 * q1q1 - 2.0 * q2q2 - az;
        const double fm1 = bx2 * (0.5 - q2q2 - q3q3) + bz2 * (q1q3 - q0q2) - mx;
        const double fm2 = bx2 * (q1q2 - q0q3) + bz2 * (q0q1 + q2q3) - my;
        const double fm3 = bx2 * (q0q2 + q1q3) + bz2 * (0.5 - q1q1 - q2q2) - mz;

        s[0] =
            -2.0 * q2 * fa1 + 2.0 * q1 * fa2 - bz2 * q2 * fm1 + (-bx2 * q3 + bz2 * q1) * fm2 + bx2 * q2 * fm3;
        s[1] = 2.0 * q3 * fa1 + 2.0 * q0 * fa2 - 4.0 * q1 * fa3 + bz2 * q3 * fm1 +
               (bx2 * q2 + bz2 * q0) * fm2 + (bx2 * q3 - bz4 * q1) * fm3;
        s[2] = -2.0 * q0 * fa1 + 2.0 * q3 * fa2 - 4.0 * q2 * fa3 + (-bx4 * q2 - bz2 * q0) * fm1 +
               (bx2 * q1 + bz2 * q3) * fm2 + (bx2 * q0 - bz4 * q2) * fm3;
        s[3] = 2.0 * q1 * fa1 + 2.0 * q2 * fa2 + (-bx4 * q3 + bz2 * q1) * fm1 + (-bx2 * q0 + bz2 * q2) * fm2 +
               bx2 * q1 * fm3;
    }
    integrate(qDot, s, correct);
}

void MadgwickFilter::computeAngles() const
{
    const double q0 = m_q0, q1 = m_q1, q2 = m_q2, q3 = m_q3;
    const double r = std::atan2(q0 * q1 + q2 * q3, 0.5 - q1 * q1 - q2 * q2) - 90.0 * degToRad;
    const double p = std::asin(-2.0 * (q1 * q3 - q0 * q2));
    const double y = std::atan2(q1 * q2 + q0 * q3, 0.5 - q2 * q2 - q3 * q3);

    // Blends roll and pitch by the heading, so that the angles follow the sensor as it turns.
    const double w = 1.0 - 0.6366199048125918 * std::fabs(y);
    const double v = y < 0.0 ? 1.0 - std::fabs(w) : std::fabs(w) - 1.0;
    if (r < -1.570796) {
        m_roll = (Pi + r) * w - Pi + p * v;
        m_pitch = -(Pi + r) * v + p * w;
        m_yaw = -y;
    } else {
        m_roll = w * r + p * v;
        m_pitch = p * w - v * r;
        m_yaw = y;
    }
    m_anglesComputed = true;
}

double MadgwickFilter::angleA() const
{
    if (!m_anglesComputed)
        computeAngles();
    return -m_pitch * radToDeg;
}

double MadgwickFilter::angleB() const
{
    if (!m_anglesComputed)
        computeAngles();
    return m_roll * radToDeg;
}

double MadgwickFilter::angleC() const
{
    if (!m_anglesComputed)
        computeAngles();
    return m_yaw * radToDeg;
}
