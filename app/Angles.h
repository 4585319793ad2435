// Degree-to-radian conversion shared by the stems' geometry and the camera.
#pragma once

// Takes single precision on purpose: callers hand over float angles, and the
// product is carried in double precision.
inline double degToRad(float degrees) {
    return degrees * 0.017453292519943295;
}
