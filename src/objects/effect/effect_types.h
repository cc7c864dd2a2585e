// Each effect type's set-up and step (one file each); the engine calls them by type.
#pragma once

#include "base/runtime_random.h"
#include "objects/effect/effect_engine.h"

namespace velk {

// T[i] = floor(cos(i * 2 pi / 256) * 63) + 64, the wave table of plasma and warp.
void MakeWaveTable(EffectEngine& engine);
// The wave table and four random phases: the moving sum that plasma and the warp share.
void SetUpWaves(EffectEngine& engine, RuntimeRandom& random);

void SetUpPlasma(EffectEngine& engine, RuntimeRandom& random);
void StepPlasma(EffectEngine& engine);

void SetUpClouds(EffectEngine& engine, RuntimeRandom& random);
void StepClouds(EffectEngine& engine);
// One 256 x 256 texture by midpoint displacement with roughness (a, b).
std::vector<std::uint8_t> MidpointTexture(std::int32_t a, std::int32_t b, RuntimeRandom& random);

void SetUpFire(EffectEngine& engine);
void StepFire(EffectEngine& engine, RuntimeRandom& random);

void SetUpWarp(EffectEngine& engine, RuntimeRandom& random);
void StepWarp(EffectEngine& engine, RuntimeRandom& random);

void SetUpRelief(EffectEngine& engine);
void StepRelief(EffectEngine& engine);

void SetUpLight(EffectEngine& engine);
void StepLight(EffectEngine& engine);

void SetUpSpin(EffectEngine& engine);
void StepSpin(EffectEngine& engine);

}  // namespace velk
