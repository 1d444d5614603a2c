#!/usr/bin/env python3
"""Expected numbers for tst_fusion, computed from Madgwick's published equations with the standard
library only. The quaternion is kept in single precision (rounded after the integration and after the
normalisation), everything else in double precision; pi is 3.141592 as in the viewer's filter.

Run: python3 madgwick_reference.py   (prints the values pasted into tst_fusion.cpp)
"""
import math
import struct

PI = 3.141592
DEG_TO_RAD = PI / 180.0
RAD_TO_DEG = 180.0 / PI


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


class Filter:
    def __init__(self, beta=0.1):
        self.q = [1.0, 0.0, 0.0, 0.0]
        self.beta = beta
        self.period = 0.001

    def set_frequency(self, hz):
        if hz > 0:
            self.period = 1.0 / hz

    def _step(self, qdot, grad):
        if grad is not None:
            n = math.sqrt(sum(s * s for s in grad))
            if n > 0:
                r = 1.0 / n
                qdot = [d - self.beta * (s * r) for d, s in zip(qdot, grad)]
        self.q = [f32(q + d * self.period) for q, d in zip(self.q, qdot)]
        r = 1.0 / math.sqrt(sum(q * q for q in self.q))
        self.q = [f32(q * r) for q in self.q]

    def _qdot(self, gx, gy, gz):
        q0, q1, q2, q3 = self.q
        return [0.5 * (-q1 * gx - q2 * gy - q3 * gz), 0.5 * (q0 * gx + q2 * gz - q3 * gy),
                0.5 * (q0 * gy - q1 * gz + q3 * gx), 0.5 * (q0 * gz + q1 * gy - q2 * gx)]

    def imu(self, g, a):
        gx, gy, gz = (v * DEG_TO_RAD for v in g)
        qdot = self._qdot(gx, gy, gz)
        grad = None
        if any(v != 0 for v in a):
            r = 1.0 / math.sqrt(sum(v * v for v in a))
            ax, ay, az = (v * r for v in a)
            q0, q1, q2, q3 = self.q
            # The objective gradient: estimated gravity (2(q1q3 - q0q2), 2(q0q1 + q2q3), q0^2 - q1^2 -
            # q2^2 + q3^2) minus the measured one, times the Jacobian's transpose, with |q| = 1 folded in.
            grad = [4 * q0 * q2 * q2 + 2 * q2 * ax + 4 * q0 * q1 * q1 - 2 * q1 * ay,
                    4 * q1 * q3 * q3 - 2 * q3 * ax + 4 * q0 * q0 * q1 - 2 * q0 * ay - 4 * q1
                    + 8 * q1 * q1 * q1 + 8 * q1 * q2 * q2 + 4 * q1 * az,
                    4 * q0 * q0 * q2 + 2 * q0 * ax + 4 * q2 * q3 * q3 - 2 * q3 * ay - 4 * q2
                    + 8 * q2 * q1 * q1 + 8 * q2 * q2 * q2 + 4 * q2 * az,
                    4 * q1 * q1 * q3 - 2 * q1 * ax + 4 * q2 * q2 * q3 - 2 * q2 * ay]
        self._step(qdot, grad)

    def marg(self, g, a, m):
        if all(v == 0 for v in m):
            return self.imu(g, a)
        gx, gy, gz = (v * DEG_TO_RAD for v in g)
        qdot = self._qdot(gx, gy, gz)
        grad = None
        if any(v != 0 for v in a):
            r = 1.0 / math.sqrt(sum(v * v for v in a))
            ax, ay, az = (v * r for v in a)
            r = 1.0 / math.sqrt(sum(v * v for v in m))
            mx, my, mz = (v * r for v in m)
            q0, q1, q2, q3 = self.q
            # The field turned into the earth frame: h = q m q*; its horizontal part becomes bx.
            hx = (mx * (q0 * q0 + q1 * q1 - q2 * q2 - q3 * q3) + 2 * my * (q1 * q2 - q0 * q3)
                  + 2 * mz * (q1 * q3 + q0 * q2))
            hy = (2 * mx * (q1 * q2 + q0 * q3) + my * (q0 * q0 - q1 * q1 + q2 * q2 - q3 * q3)
                  + 2 * mz * (q2 * q3 - q0 * q1))
            hz = (2 * mx * (q1 * q3 - q0 * q2) + 2 * my * (q2 * q3 + q0 * q1)
                  + mz * (q0 * q0 - q1 * q1 - q2 * q2 + q3 * q3))
            bx, bz = math.sqrt(hx * hx + hy * hy), hz
            # Residuals f and the Jacobian J (rows: 3 gravity, 3 field; columns q0..q3), as published.
            f = [2 * (q1 * q3 - q0 * q2) - ax,
                 2 * (q0 * q1 + q2 * q3) - ay,
                 2 * (0.5 - q1 * q1 - q2 * q2) - az,
                 2 * bx * (0.5 - q2 * q2 - q3 * q3) + 2 * bz * (q1 * q3 - q0 * q2) - mx,
                 2 * bx * (q1 * q2 - q0 * q3) + 2 * bz * (q0 * q1 + q2 * q3) - my,
                 2 * bx * (q0 * q2 + q1 * q3) + 2 * bz * (0.5 - q1 * q1 - q2 * q2) - mz]
            J = [[-2 * q2, 2 * q3, -2 * q0, 2 * q1],
                 [2 * q1, 2 * q0, 2 * q3, 2 * q2],
                 [0, -4 * q1, -4 * q2, 0],
                 [-2 * bz * q2, 2 * bz * q3, -4 * bx * q2 - 2 * bz * q0, -4 * bx * q3 + 2 * bz * q1],
                 [-2 * bx * q3 + 2 * bz * q1, 2 * bx * q2 + 2 * bz * q0, 2 * bx * q1 + 2 * bz * q3,
                  -2 * bx * q0 + 2 * bz * q2],
                 [2 * bx * q2, 2 * bx * q3 - 4 * bz * q1, 2 * bx * q0 - 4 * bz * q2, 2 * bx * q1]]
            grad = [sum(J[r][c] * f[r] for r in range(6)) for c in range(4)]
        self._step(qdot, grad)

    def angles(self):
        q0, q1, q2, q3 = self.q
        r = math.atan2(q0 * q1 + q2 * q3, 0.5 - q1 * q1 - q2 * q2) - 90 * DEG_TO_RAD
        p = math.asin(-2.0 * (q1 * q3 - q0 * q2))
        y = math.atan2(q1 * q2 + q0 * q3, 0.5 - q2 * q2 - q3 * q3)
        w = 1 - 0.6366199048125918 * abs(y)
        v = 1 - abs(w) if y < 0 else abs(w) - 1
        if r < -1.570796:
            roll = (PI + r) * w - PI + p * v
            pitch = -(PI + r) * v + p * w
            yaw = -y
        else:
            roll = w * r + p * v
            pitch = p * w - v * r
            yaw = y
        return (-pitch * RAD_TO_DEG, roll * RAD_TO_DEG, yaw * RAD_TO_DEG)


def align(gyros, accels):
    """Means over the samples (single-precision sums), then 2999 steps at 100 Hz."""
    f = Filter()
    f.set_frequency(100)
    g = [f32(sum_f32(s[i] for s in gyros) / len(gyros)) for i in range(3)]
    a = [f32(sum_f32(s[i] for s in accels) / len(accels)) for i in range(3)]
    for _ in range(2999):
        f.imu(g, a)
    return f


def sum_f32(values):
    total = 0.0
    for v in values:
        total = f32(total + f32(v))
    return total


def show(name, f):
    q = ", ".join("%.9g" % v for v in f.q)
    a = ", ".join("%.9g" % v for v in f.angles())
    print("%-16s q = {%s}  angles = {%s}" % (name, q, a))


# Six samples per frame, time stamps 10 ms apart; values exact in single precision.
GYROS = [(0.5 + 0.125 * i, -0.25, 0.125 * i) for i in range(6)]
ACCELS = [(0.0625 * i, 0.03125, 1.0 - 0.015625 * i) for i in range(6)]

f = Filter()
f.set_frequency(100)
f.imu((10, -20, 30), (0.1, 0.2, 0.97))
show("imuOneStep", f)

f = Filter()
f.set_frequency(100)
for _ in range(50):
    f.imu((10, -20, 30), (0.1, 0.2, 0.97))
show("imuFiftySteps", f)

f = Filter()
f.set_frequency(100)
f.imu((90, 0, 0), (0, 0, 0))
show("zeroAcceleration", f)

f = Filter()
f.set_frequency(100)
f.imu((0, 0, 0), (0, 0, 1))
show("zeroGradient", f)

f = Filter()
f.set_frequency(50)
f.imu((10, -20, 30), (0.1, 0.2, 0.97))
f.marg((5, 15, -25), (0.3, -0.1, 0.9), (0.3, 0.1, -0.5))
show("margStep", f)

f = Filter()
f.set_frequency(50)
f.imu((10, -20, 30), (0.1, 0.2, 0.97))
f.marg((5, 15, -25), (0.3, -0.1, 0.9), (0, 0, 0))
show("margZeroField", f)

f = align(GYROS, ACCELS)
show("aligned", f)
f.set_frequency(1.0 / (10 / 1000.0))
f.imu((1.0, 2.0, -3.0), (0.125, 0.0, 0.984375))
show("alignedThen10ms", f)

f = align(GYROS, ACCELS)
f.set_frequency(1.0 / (255 / 1000.0))
f.imu((1.0, 2.0, -3.0), (0.125, 0.0, 0.984375))
show("alignedThenWrap", f)

for q in [(1, 0, 0, 0), (0.7071068, 0.7071068, 0, 0), (0.9238795, 0, 0, 0.3826834),
          (0.9238795, 0, 0, -0.3826834), (0.5, 0.5, 0.5, 0.5)]:
    f = Filter()
    f.q = [f32(v) for v in q]
    show("angles %s" % (q,), f)

# tst_fusion, the switch in the tree: ten raw samples of gyro (655, -1310, 0) and acceleration
# (819, 0, 8191), scaled by 500 / 32767 and 4 / 32767.
RAW_GYRO = (655 * 500 / 32767.0, -1310 * 500 / 32767.0, 0.0)
RAW_ACCEL = (819 * 4 / 32767.0, 0.0, 8191 * 4 / 32767.0)
show("recordAligned", align([RAW_GYRO] * 10, [RAW_ACCEL] * 10))
