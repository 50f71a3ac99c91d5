// The argument shape of an exported operation, read off its prototype, and a
// call of the operation with arguments taken from a Call record.
//
// Every prototype of the public header follows one pattern, so the role of
// each parameter follows from its type and position:
//   - a pointer to samples (const: read; otherwise written) or an array of
//     plane pointers starts an image;
//   - an int right after an image is its row step, a const int* its array of
//     per-plane steps (whole-image forms have neither);
//   - QrxRoiSize is the region; after a QrxRect (the demosaicing entries) the
//     first QrxRoiSize is the size of the larger source instead;
//   - after the region come the operation's own parameters: ints, bytes and
//     enumerations (alpha, slice position, noise, dither, levels, grid),
//     floats (gamma range), a weight array (const float*) and a colour-twist
//     matrix (const float (*)[4]); a non-const sample pointer there is one
//     more image (the caller's scratch rows).
// A prototype with a parameter type outside this list does not compile here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "qrxcc.h"

namespace qrxfuzz {

enum class Arg : uint8_t { Image, Planes, Step, StepArray, Roi, Rect, SensorSize, Int, Float, Weights, Matrix };
enum class Elem : uint8_t { U8, S8, U16, S16, S32, F32 };

inline constexpr int elemBytes(Elem e) {
    return e == Elem::U8 || e == Elem::S8 ? 1 : e == Elem::U16 || e == Elem::S16 ? 2 : 4;
}

enum class Steps : uint8_t { None, One, PerPlane };

struct ImageShape {
    bool writable = false;  // non-const samples
    bool planar = false;    // an array of plane pointers
    Elem elem = Elem::U8;
    Steps steps = Steps::None;
};

struct ArgSlot {
    Arg role = Arg::Int;
    uint8_t index = 0;  // the image, or the parameter among those of its kind
};

constexpr int kMaxArgs = 12;
constexpr int kMaxImages = 4;
constexpr int kMaxParams = 4;

struct Shape {
    ArgSlot arg[kMaxArgs]{};
    int args = 0;
    ImageShape image[kMaxImages]{};
    int images = 0;
    int ints = 0, floats = 0;
    bool weights = false, matrix = false, rect = false;
};

template <class T>
inline constexpr bool kIsSample =
    std::is_same_v<T, Qrx8u> || std::is_same_v<T, Qrx8s> || std::is_same_v<T, Qrx16u> ||
    std::is_same_v<T, Qrx16s> || std::is_same_v<T, Qrx32s> || std::is_same_v<T, Qrx32f>;

template <class T>
constexpr Elem elemOf() {
    if constexpr (std::is_same_v<T, Qrx8u>) return Elem::U8;
    else if constexpr (std::is_same_v<T, Qrx8s>) return Elem::S8;
    else if constexpr (std::is_same_v<T, Qrx16u>) return Elem::U16;
    else if constexpr (std::is_same_v<T, Qrx16s>) return Elem::S16;
    else if constexpr (std::is_same_v<T, Qrx32s>) return Elem::S32;
    else return Elem::F32;
}

template <class>
inline constexpr bool kUnknownParameter = false;

template <class... A>
constexpr Shape shapeOf(QrxStatus (*)(A...)) {
    Shape s{};
    bool afterRoi = false, stepPending = false, sensorSeen = false;
    auto slot = [&](Arg role, int index) { s.arg[s.args++] = ArgSlot{role, uint8_t(index)}; };
    auto image = [&](bool writable, bool planar, Elem elem) {
        s.image[s.images] = ImageShape{writable, planar, elem, Steps::None};
        slot(planar ? Arg::Planes : Arg::Image, s.images++);
        stepPending = true;
    };
    auto add = [&]<class T>() {
        using P = std::remove_pointer_t<T>;
        if constexpr (std::is_same_v<T, QrxRoiSize>) {
            if (s.rect && !sensorSeen) {
                sensorSeen = true;
                slot(Arg::SensorSize, 0);
            } else {
                afterRoi = true;
                stepPending = false;
                slot(Arg::Roi, 0);
            }
        } else if constexpr (std::is_same_v<T, QrxRect>) {
            s.rect = true;
            slot(Arg::Rect, 0);
        } else if constexpr (std::is_pointer_v<T> && std::is_pointer_v<P>) {
            using Sample = std::remove_pointer_t<P>;
            static_assert(kIsSample<std::remove_const_t<Sample>>);
            image(!std::is_const_v<Sample>, true, elemOf<std::remove_const_t<Sample>>());
        } else if constexpr (std::is_same_v<T, const int*>) {
            s.image[s.images - 1].steps = Steps::PerPlane;
            stepPending = false;
            slot(Arg::StepArray, s.images - 1);
        } else if constexpr (std::is_pointer_v<T> && std::is_array_v<P>) {
            s.matrix = true;
            slot(Arg::Matrix, 0);
        } else if constexpr (std::is_pointer_v<T> && kIsSample<std::remove_const_t<P>>) {
            if (afterRoi && std::is_const_v<P>) {
                s.weights = true;
                slot(Arg::Weights, 0);
            } else {
                image(!std::is_const_v<P>, false, elemOf<std::remove_const_t<P>>());
            }
        } else if constexpr (std::is_same_v<T, int>) {
            if (stepPending) {
                s.image[s.images - 1].steps = Steps::One;
                stepPending = false;
                slot(Arg::Step, s.images - 1);
            } else {
                slot(Arg::Int, s.ints++);
            }
        } else if constexpr (std::is_same_v<T, Qrx8u> || std::is_enum_v<T>) {
            slot(Arg::Int, s.ints++);
        } else if constexpr (std::is_same_v<T, Qrx32f>) {
            slot(Arg::Float, s.floats++);
        } else {
            static_assert(kUnknownParameter<T>, "a parameter type the fuzzer's shapes do not know");
        }
    };
    (add.template operator()<A>(), ...);
    return s;
}

// The arguments of one call. Plane pointers and steps are per image; `planes`
// is what a plane-array parameter receives (null to test the null check).
struct ImageArgs {
    void* plane[4]{};
    void* const* planes = plane;
    int step[4]{};
};

struct Call {
    ImageArgs image[kMaxImages]{};
    QrxRoiSize roi{};
    QrxRoiSize sensor{};
    QrxRect rect{};
    int ints[kMaxParams]{};
    Qrx32f floats[kMaxParams]{};
    const Qrx32f* weights = nullptr;
    const Qrx32f (*matrix)[4] = nullptr;
};

template <class T>
T argument(ArgSlot a, const Call& c) {
    using P = std::remove_pointer_t<T>;
    if constexpr (std::is_same_v<T, QrxRoiSize>) {
        return a.role == Arg::Roi ? c.roi : c.sensor;
    } else if constexpr (std::is_same_v<T, QrxRect>) {
        return c.rect;
    } else if constexpr (std::is_pointer_v<T> && std::is_pointer_v<P>) {
        return reinterpret_cast<T>(c.image[a.index].planes);
    } else if constexpr (std::is_same_v<T, const int*>) {
        return c.image[a.index].step;
    } else if constexpr (std::is_pointer_v<T> && std::is_array_v<P>) {
        return c.matrix;
    } else if constexpr (std::is_pointer_v<T>) {
        if constexpr (std::is_same_v<T, const Qrx32f*>)
            if (a.role == Arg::Weights) return c.weights;
        return static_cast<T>(c.image[a.index].plane[0]);
    } else if constexpr (std::is_same_v<T, int>) {
        return a.role == Arg::Step ? c.image[a.index].step[0] : c.ints[a.index];
    } else if constexpr (std::is_same_v<T, Qrx32f>) {
        return c.floats[a.index];
    } else {
        return static_cast<T>(c.ints[a.index]);
    }
}

using Invoker = QrxStatus (*)(const Call&);

template <class... A, std::size_t... I>
QrxStatus invokeWith(QrxStatus (*fn)(A...), const Shape& s, const Call& c,
                     std::index_sequence<I...>) {
    return fn(argument<A>(s.arg[I], c)...);
}

// Calls Fn with the arguments of `c` in the roles its prototype gives them.
template <auto Fn>
QrxStatus invoke(const Call& c) {
    static constexpr Shape kShape = shapeOf(Fn);
    return invokeWith(Fn, kShape, c, std::make_index_sequence<kShape.args>{});
}

}  // namespace qrxfuzz
