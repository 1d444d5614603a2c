#pragma once

// Madgwick's gradient-descent orientation filter: gyroscope plus accelerometer, optionally the
// magnetometer. Rates come in degrees per second; the quaternion and the angles use pi = 3.141592, so
// that the angles match the ones recorded by earlier releases.
class MadgwickFilter
{
public:
    static constexpr double Pi = 3.141592;
    static constexpr double radToDeg = 180.0 / Pi;
    static constexpr double degToRad = Pi / 180.0;

    explicit MadgwickFilter(double beta = 0.1);
    virtual ~MadgwickFilter();

    void reset();
    // Ignored unless hz > 0; an infinite rate gives a period of 0 (the step only renormalises).
    void setSampleFrequency(double hz);

    void updateIMU(double gx, double gy, double gz, double ax, double ay, double az);
    // Falls back to updateIMU when the magnetic field is all zero.
    void update(double gx, double gy, double gz, double ax, double ay, double az, double mx, double my,
                double mz);

    // Degrees: -pitch, roll and yaw.
    double angleA() const;
    double angleB() const;
    double angleC() const;

    double beta() const { return m_beta; }
    double samplePeriod() const { return m_samplePeriod; }
    float q0() const { return m_q0; }
    float q1() const { return m_q1; }
    float q2() const { return m_q2; }
    float q3() const { return m_q3; }
    void setQuaternion(float q0, float q1, float q2, float q3);

private:
    // Adds the rates to qDot, subtracts the scaled gradient, integrates and renormalises.
    void integrate(double qDot[4], double s[4], bool correct);
    void computeAngles() const;

    float m_q0 = 1.0f;
    float m_q1 = 0.0f;
    float m_q2 = 0.0f;
    float m_q3 = 0.0f;
    double m_beta;
    double m_samplePeriod = 0.001;
    // Derived from the quaternion when first asked for after a step.
    mutable double m_roll = 0.0;
    mutable double m_pitch = 0.0;
    mutable double m_yaw = 0.0;
    mutable bool m_anglesComputed = false;
};
