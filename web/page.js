// The page around the simulator's module (gearmesh.js): it moves typed lines
// and keys into the module and shows what the module hands back (console
// texts, frames to paint, where the focus goes). Every text, rule and
// drawing decision is the module's.
"use strict";

(function () {
    // A held button repeats as a held key does (X's default repeat).
    const REPEAT_DELAY_MS = 660;
    const REPEAT_INTERVAL_MS = 40;
    // Item kinds of the module's frame and where an item keeps its layer and
    // outline (web/canvas_frame.h).
    const CLEAR = 0, STROKE = 1, FILL = 2, TEXT = 3;
    const LAYER = 7, OUTLINE_FIRST = 8, OUTLINE_COUNT = 9;
    const ESCAPE = 27;

    const consoleText = document.getElementById("console");
    const form = document.getElementById("line-form");
    const input = document.getElementById("line");
    const canvas = document.getElementById("drawing");
    const keyRow = document.getElementById("keys");
    const context = canvas.getContext("2d", { alpha: false });

    let module = null;
    // The page's program inside the module (webStart); every call takes it.
    let program = 0;
    let frameShown = false;
    // The layer's own canvas, the serial number of the layer it shows and
    // how many of its items are painted there.
    let layer = null;
    let layerSerial = 0;
    let layerItems = 0;
    let repeatTimer = 0;
    const buttons = [];

    function appendText(text, className) {
        const span = document.createElement("span");
        span.className = className;
        span.textContent = text;
        consoleText.appendChild(span);
        consoleText.scrollTop = consoleText.scrollHeight;
    }

    // Traces points first .. first + count - 1 of the frame as subpaths; a
    // NaN x starts the next subpath.
    function tracePoints(target, heap, first, count) {
        target.beginPath();
        let start = true;
        for (let k = first, end = first + 2 * count; k < end; k += 2) {
            const x = heap[k];
            if (x !== x) {
                start = true;
            } else if (start) {
                target.moveTo(x, heap[k + 1]);
                start = false;
            } else {
                target.lineTo(x, heap[k + 1]);
            }
        }
    }

    // Where the frame's items, points and glyphs are in the module's memory
    // (doubles), and how it is painted.
    function currentFrame() {
        return {
            heap: module.HEAPF64,
            stride: module._webFrameItemStride(),
            items: module._webFrameItems(program) / 8,
            count: module._webFrameItemCount(program),
            points: module._webFramePoints(program) / 8,
            glyphs: module._webFrameGlyphs(program) / 8,
            size: module._webCanvasPixels(),
            lineJoin: module.UTF8ToString(module._webCanvasLineJoin()),
            lineCap: module.UTF8ToString(module._webCanvasLineCap()),
            font: module.UTF8ToString(module._webCanvasFont(program)),
        };
    }

    // Paints items from .. to - 1 of frame on target, a 2D context the size
    // of the drawing; plain: every stroke stroked, outlines left unused.
    function paintItems(target, frame, from, to, plain) {
        const heap = frame.heap;
        target.setTransform(target.canvas.width / frame.size, 0, 0,
                            target.canvas.width / frame.size, 0, 0);
        target.lineJoin = frame.lineJoin;
        target.lineCap = frame.lineCap;
        target.font = frame.font;
        target.textBaseline = "alphabetic";
        for (let i = from; i < to; ++i) {
            const item = frame.items + frame.stride * i;
            const colour = "rgb(" + heap[item + 1] + "," + heap[item + 2] + "," + heap[item + 3] + ")";
            const first = heap[item + 5];
            const n = heap[item + 6];
            switch (heap[item]) {
            case CLEAR:
                target.fillStyle = colour;
                target.fillRect(0, 0, frame.size, frame.size);
                break;
            case STROKE:
                if (!plain && heap[item + OUTLINE_COUNT] > 0) {
                    tracePoints(target, heap, frame.points + 2 * heap[item + OUTLINE_FIRST],
                                heap[item + OUTLINE_COUNT]);
                    target.fillStyle = colour;
                    target.fill();
                } else {
                    tracePoints(target, heap, frame.points + 2 * first, n);
                    target.strokeStyle = colour;
                    target.lineWidth = heap[item + 4];
                    target.stroke();
                }
                break;
            case FILL:
                tracePoints(target, heap, frame.points + 2 * first, n);
                target.fillStyle = colour;
                target.fill();
                break;
            case TEXT:
                target.fillStyle = colour;
                for (let g = frame.glyphs + 3 * first, end = g + 3 * n; g < end; g += 3) {
                    target.fillText(String.fromCharCode(heap[g + 2]), heap[g], heap[g + 1]);
                }
                break;
            }
        }
    }

    // Paints the module's last frame. Its layer, the first items, is painted
    // on a canvas of its own when its serial number changes (and the items
    // it has gained since, when it keeps it), then copied whole.
    // window.gearmeshPaintPlain (for the tests) paints every item on the
    // drawing itself, every stroke a stroke, as the page did before.
    function paintFrame() {
        const frame = currentFrame();
        const plain = window.gearmeshPaintPlain === true;
        const heap = frame.heap;
        const serial = frame.count > 0 ? heap[frame.items + LAYER] : 0;
        let layered = 0;
        if (!plain && serial !== 0) {
            while (layered < frame.count &&
                   heap[frame.items + frame.stride * layered + LAYER] === serial) {
                ++layered;
            }
            if (layer === null) {
                // A canvas element outside the document may pick another font
                // for the legend; an OffscreenCanvas writes it as the drawing does.
                const surface = typeof OffscreenCanvas === "function" ? new OffscreenCanvas(1, 1)
                                                                      : document.createElement("canvas");
                layer = surface.getContext("2d", { alpha: false });
            }
            if (layerSerial !== serial || layer.canvas.width !== canvas.width) {
                layer.canvas.width = layer.canvas.height = canvas.width;
                layerSerial = serial;
                layerItems = 0;
            }
            // A layer that keeps its number has only grown at its end.
            paintItems(layer, frame, layerItems, layered, false);
            layerItems = layered;
            context.setTransform(1, 0, 0, 1, 0, 0);
            context.drawImage(layer.canvas, 0, 0);
        }
        paintItems(context, frame, layered, frame.count, plain);
        frameShown = true;
    }

    // The backing store follows the drawing's size on the screen in device
    // pixels, so lines stay sharp on dense screens; the frame is painted
    // again at the new size, without a redraw of the module.
    function fitBackingStore(devicePixels) {
        if (devicePixels > 0 && canvas.width !== devicePixels) {
            canvas.width = canvas.height = devicePixels;
            if (frameShown) {
                paintFrame();
            }
        }
    }

    new ResizeObserver(function (entries) {
        const entry = entries[entries.length - 1];
        const box = entry.devicePixelContentBoxSize;
        fitBackingStore(box ? box[0].inlineSize
                            : Math.round(entry.contentRect.width * window.devicePixelRatio));
    }).observe(canvas);

    function pressKey(key) {
        return module !== null && module._webKey(program, key) !== 0;
    }

    function stopRepeat() {
        clearTimeout(repeatTimer);
        clearInterval(repeatTimer);
        repeatTimer = 0;
    }

    function holdKey(key) {
        stopRepeat();
        if (!pressKey(key)) {
            return;
        }
        repeatTimer = setTimeout(function () {
            repeatTimer = setInterval(function () {
                if (!pressKey(key)) {
                    stopRepeat();
                }
            }, REPEAT_INTERVAL_MS);
        }, REPEAT_DELAY_MS);
    }

    function addButton(key, label) {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = label;
        button.addEventListener("pointerdown", function (event) {
            if (event.button !== 0) {
                return;
            }
            // Keeps the focus where it is, on the drawing.
            event.preventDefault();
            holdKey(key);
        });
        for (const name of ["pointerup", "pointerleave", "pointercancel"]) {
            button.addEventListener(name, stopRepeat);
        }
        button.addEventListener("contextmenu", function (event) {
            event.preventDefault();
        });
        // Enter or space on a focused button; pointers are handled above.
        button.addEventListener("click", function (event) {
            if (event.detail === 0) {
                pressKey(key);
            }
        });
        keyRow.appendChild(button);
        buttons.push(button);
    }

    canvas.addEventListener("keydown", function (event) {
        if (event.ctrlKey || event.altKey || event.metaKey) {
            return;  // the browser's shortcuts stay the browser's
        }
        const key = event.key === "Escape" ? ESCAPE
                  : event.key.length === 1 ? event.key.charCodeAt(0) : -1;
        if (key >= 0 && pressKey(key)) {
            event.preventDefault();
        }
    });
    window.addEventListener("blur", stopRepeat);
    document.addEventListener("visibilitychange", stopRepeat);

    form.addEventListener("submit", function (event) {
        event.preventDefault();
        if (module === null || input.disabled) {
            return;
        }
        const line = input.value;
        input.value = "";
        appendText(line + "\n", "echo");  // what a terminal echoes
        const bytes = module.lengthBytesUTF8(line);
        module.stringToUTF8(line, module._webLineBuffer(program, bytes), bytes + 1);
        module._webSubmitLine(program, bytes);
    });

    const page = {
        write: function (text, error) {
            appendText(text, error ? "err" : "out");
        },
        setTitle: function (text) {
            document.title = text;
        },
        ask: function () {
            stopRepeat();
            input.disabled = false;
            input.focus();
        },
        run: function () {
            input.disabled = true;
            canvas.focus();
        },
        paint: paintFrame,
        ended: function () {
            stopRepeat();
            input.disabled = true;
            for (const button of buttons) {
                button.disabled = true;
            }
        },
    };

    createGearmesh({ page: page }).then(function (instance) {
        module = instance;
        window.gearmesh = instance;  // for the tests and the benchmark
        for (let i = 0, count = module._webButtonCount(); i < count; ++i) {
            addButton(module._webButtonKey(i), module.UTF8ToString(module._webButtonLabel(i)));
        }
        program = module._webStart();
        window.gearmeshProgram = program;
    });
})();
