// Calls an operation of any of the library's argument shapes on an Args.
//
// The roles of the parameters follow from the signature alone: before the
// QrxRoiSize come the source image and then the destination image, each a
// pointer (or an array of plane pointers) optionally followed by its step
// (an int, or an array of per-plane steps); after the size come the
// operation's own parameters (an alpha byte, or the three gray weights).
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "frames.h"

namespace qrxbench {

enum class Role { Src, SrcStep, Dst, DstStep, Roi, Param };

template <class... A>
constexpr std::array<Role, sizeof...(A)> rolesOf() {
  constexpr bool isStep[] = {std::is_same_v<A, int> || std::is_same_v<A, const int*>..., false};
  constexpr bool isRoi[] = {std::is_same_v<A, QrxRoiSize>..., false};
  std::array<Role, sizeof...(A)> roles{};
  int images = 0;
  bool afterRoi = false;
  for (std::size_t i = 0; i < sizeof...(A); ++i) {
    if (isRoi[i]) {
      roles[i] = Role::Roi;
      afterRoi = true;
    } else if (afterRoi) {
      roles[i] = Role::Param;
    } else if (isStep[i]) {
      roles[i] = images == 1 ? Role::SrcStep : Role::DstStep;
    } else {
      roles[i] = images++ == 0 ? Role::Src : Role::Dst;
    }
  }
  return roles;
}

inline constexpr Qrx32f kGrayWeights[3] = {0.299f, 0.587f, 0.114f};

template <class T>
T argument(Role role, const Args& a) {
  if constexpr (std::is_same_v<T, QrxRoiSize>) {
    return a.roi;
  } else if constexpr (std::is_same_v<T, const int*>) {
    return role == Role::SrcStep ? a.src->step : a.dst->step;
  } else if constexpr (std::is_integral_v<T>) {
    if (role == Role::Param) return T(255);  // alpha
    return T(role == Role::SrcStep ? a.src->step[0] : a.dst->step[0]);
  } else if constexpr (std::is_pointer_v<std::remove_pointer_t<T>>) {
    Qrx8u** planes = role == Role::Src ? a.src->plane : a.dst->plane;
    return static_cast<T>(planes);
  } else {
    if constexpr (std::is_same_v<T, const Qrx32f*>)
      if (role == Role::Param) return kGrayWeights;
    Qrx8u* p = role == Role::Src ? a.src->plane[0] : a.dst->plane[0];
    return static_cast<T>(static_cast<void*>(p));
  }
}

template <class... A, std::size_t... I>
int invokeWith(QrxStatus (*fn)(A...), const Args& a, std::index_sequence<I...>) {
  constexpr auto roles = rolesOf<A...>();
  return fn(argument<A>(roles[I], a)...);
}

template <class... A>
int invoke(QrxStatus (*fn)(A...), const Args& a) {
  return invokeWith(fn, a, std::index_sequence_for<A...>{});
}

// A runner calling `fn` with arguments derived from its prototype.
template <class... A>
Runner runnerFor(QrxStatus (*fn)(A...)) {
  return [fn](const Args& a) { return invoke(fn, a); };
}

}  // namespace qrxbench
