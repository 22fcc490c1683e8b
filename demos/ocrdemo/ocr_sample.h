/* A 74 x 22 PNG picture of the words "OK 42" as a data URL, drawn by
 * `apitest-pictures --ocr-sample`. */
#ifndef OCR_SAMPLE_H
#define OCR_SAMPLE_H

static const char kOcrSample[] =
    "data:image/png;base64,"
    "iVBORw0KGgoAAAANSUhEUgAAAEoAAAAWCAYAAABnnAr9AAAACXBIWXMAAA9hAAAPYQGoP6dpAAAD"
    "HElEQVRYhe2YP0jrUBSHTyNN2orY+qcQ16qIg3Ut4uAkYpWAVdDFxUkK4mSLiugkgri4WpGKDooO"
    "YhERtCKCQrRaOymODg4uHWxa6+9NDeS1r73vJbzHg3xwh3vPac49H81NWgsAkElFuH+9gf8FUxQj"
    "pihGTFGMmKIYMUyULMskSRLV19eTIAjU1tZGi4uLlMlkNHnNzc00NzenWVtdXSVBEGhnZ6dinbu7"
    "OxIEgZxOp2b97OyMJEkiURSpurqaOjs7KRqN6m+sAAzg5OQEPM8jEAjg4uICT09PiEQiEEUR3d3d"
    "UBRFzfV4PJidnVXnoVAIDocDsVisYp10Oo3W1lb09fWhtrZWE5ucnEQwGMTh4SGurq4wPT0NIsLe"
    "3p4RLUK3KEVR0NTUhN7e3qJYIpEAx3FYWVlR1wqivr6+MDExAZfLhevra6Za4+PjmJqawtraWpGo"
    "Uvh8PoyOjrI3Uwbdt148Hqe3tzcKh8NFMa/XS36/v+iWUhSFRkZGKBaL0eXlJfl8vop1dnd3SZZl"
    "Wl5eZt6boijU2NjInF8WvabX19dBRHh/fy8ZD4fDsNvt6tzj8YDnedhsNry8vDDVeH19hdvtxsPD"
    "AwAwfaMikQhsNhtSqRRjJ+X5K089i8Wimff09BDP8zQ/P0/5fL7sZ7+/v2lsbIxCoRB1dHQw1Ts6"
    "OqJgMEjRaJTa29v/eN8a9Jo+PT0FEeH8/LxkfHBwEF6vV50Xzqibmxs4nU4MDw8jl8v98vrpdBpE"
    "hKqqKnVwHKeubWxsaPL39/fhcDgMO8QL6BaVyWQgiuJvH+YAIMsy6urqMDQ0hGw2W/L6+XweyWRS"
    "M2ZmZlBTU4NkMomPjw81d3t7G3a7HQcHB3rbKsKQ14Pj42NYrVYEAgHE43GkUilsbm4yvR4kEgk0"
    "NDRAkiRNXjlKnVFbW1vgOA5LS0u4v79Xx/PzsxEtGiMKAG5vbzEwMACXywWr1YqWlhYsLCzg8/NT"
    "k/ezKAB4fHyE2+2G3+9nklVKVH9/P4ioaHR1delvDoAFMP+PYsH8rceIKYoRUxQjpihGTFGM/ABA"
    "0VjDqwxP5QAAAABJRU5ErkJggg==";

#endif
