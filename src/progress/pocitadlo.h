// The match state store: a never-shown screen whose labels hold every value that outlives
// one screen, as text (energies, blow strengths, the ladder, difficulties, stage counters,
// points, ground lines and the desktop size).
#pragma once

#include "runtime/control.h"
#include "runtime/screen.h"

namespace vorkala {

// A label of the store; until its first writer runs it holds its own name.
#define VORKALA_STORE_LABEL(name)                                  \
    vk::Control name {                                             \
        *this, #name, vk::ControlKind::Label, { .caption = #name } \
    }

struct PocitadloControls : vk::ControlSet {
    using vk::ControlSet::ControlSet;
    VORKALA_STORE_LABEL(Zivotyl);
    VORKALA_STORE_LABEL(Zivotyp);
    VORKALA_STORE_LABEL(Turbol);
    VORKALA_STORE_LABEL(Turbop);
    VORKALA_STORE_LABEL(PCl);
    VORKALA_STORE_LABEL(PCp);
    VORKALA_STORE_LABEL(Rychlostl);
    VORKALA_STORE_LABEL(Rychlostp);
    VORKALA_STORE_LABEL(energiel);
    VORKALA_STORE_LABEL(energiep);
    VORKALA_STORE_LABEL(silauderul);
    VORKALA_STORE_LABEL(silauderup);
    VORKALA_STORE_LABEL(bodyL);
    VORKALA_STORE_LABEL(bodyP);
    VORKALA_STORE_LABEL(bodylehkaL);
    VORKALA_STORE_LABEL(bodylehkaP);
    VORKALA_STORE_LABEL(bodystredniL);
    VORKALA_STORE_LABEL(bodystredniP);
    VORKALA_STORE_LABEL(bodytezkaL);
    VORKALA_STORE_LABEL(bodytezkaP);
    VORKALA_STORE_LABEL(HSL);
    VORKALA_STORE_LABEL(HSP);
    VORKALA_STORE_LABEL(LehkaL);
    VORKALA_STORE_LABEL(LehkaP);
    VORKALA_STORE_LABEL(StredniL);
    VORKALA_STORE_LABEL(StredniP);
    VORKALA_STORE_LABEL(TezkaL);
    VORKALA_STORE_LABEL(TezkaP);
    VORKALA_STORE_LABEL(ObtiznostL);
    VORKALA_STORE_LABEL(ObtiznostP);
    VORKALA_STORE_LABEL(vyska);
    VORKALA_STORE_LABEL(sirka);
    VORKALA_STORE_LABEL(VyskaL);
    VORKALA_STORE_LABEL(VyskaP);
    VORKALA_STORE_LABEL(PESTvzduchL);
    VORKALA_STORE_LABEL(PESTvzduchP);
    VORKALA_STORE_LABEL(KOPvzduchL);
    VORKALA_STORE_LABEL(KOPvzduchP);
};

#undef VORKALA_STORE_LABEL

class Pocitadlo : public vk::ScreenOf<PocitadloControls> {
  public:
    explicit Pocitadlo(vk::Runtime& runtime);

  protected:
    void Form_Load() override;
};

}  // namespace vorkala
