// The page around the simulator's module (gearmesh.js): it moves typed lines
// and keys into the module and shows what the module hands back (console
// texts, frames to paint, where the focus goes, files to save). Every text,
// rule and drawing decision is the module's.
"use strict";

(function () {
    // A held button repeats as a held key does (X's default repeat).
    const REPEAT_DELAY_MS = 660;
    const REPEAT_INTERVAL_MS = 40;
    // Item kinds of the module's frame (web/canvas_frame.h).
    const CLEAR = 0, STROKE = 1, FILL = 2, TEXT = 3;
    const ESCAPE = 27;

    const consoleText = document.getElementById("console");
    const form = document.getElementById("line-form");
    const input = document.getElementById("line");
    const canvas = document.getElementById("drawing");
    const keyRow = document.getElementById("keys");
    const downloadRow = document.getElementById("downloads");
    const context = canvas.getContext("2d", { alpha: false });

    let module = null;
    // The page's program inside the module (webStart); every call takes it.
    let program = 0;
    let frameShown = false;
    let repeatTimer = 0;
    const buttons = [];
    const downloadButtons = [];
    // A saved file's address lives this long, for the browser to fetch it.
    const SAVED_URL_MS = 60000;

    function appendText(text, className) {
        const span = document.createElement("span");
        span.className = className;
        span.textContent = text;
        consoleText.appendChild(span);
        consoleText.scrollTop = consoleText.scrollHeight;
    }

    // Traces points first .. first + count - 1 of the frame as subpaths; a
    // NaN x starts the next subpath.
    function tracePoints(heap, first, count) {
        context.beginPath();
        let start = true;
        for (let k = first, end = first + 2 * count; k < end; k += 2) {
            const x = heap[k];
            if (x !== x) {
                start = true;
            } else if (start) {
                context.moveTo(x, heap[k + 1]);
                start = false;
            } else {
                context.lineTo(x, heap[k + 1]);
            }
        }
    }

    function paintFrame() {
        const heap = module.HEAPF64;
        const stride = module._webFrameItemStride();
        const items = module._webFrameItems(program) / 8;
        const points = module._webFramePoints(program) / 8;
        const glyphs = module._webFrameGlyphs(program) / 8;
        const size = module._webCanvasPixels();
        const scale = canvas.width / size;
        context.setTransform(scale, 0, 0, scale, 0, 0);
        context.lineJoin = module.UTF8ToString(module._webCanvasLineJoin());
        context.lineCap = module.UTF8ToString(module._webCanvasLineCap());
        context.font = module.UTF8ToString(module._webCanvasFont(program));
        context.textBaseline = "alphabetic";
        for (let i = 0, count = module._webFrameItemCount(program); i < count; ++i) {
            const item = items + stride * i;
            const colour = "rgb(" + heap[item + 1] + "," + heap[item + 2] + "," + heap[item + 3] + ")";
            const first = heap[item + 5];
            const n = heap[item + 6];
            switch (heap[item]) {
            case CLEAR:
                context.fillStyle = colour;
                context.fillRect(0, 0, size, size);
                break;
            case STROKE:
                tracePoints(heap, points + 2 * first, n);
                context.strokeStyle = colour;
                context.lineWidth = heap[item + 4];
                context.stroke();
                break;
            case FILL:
                tracePoints(heap, points + 2 * first, n);
                context.fillStyle = colour;
                context.fill();
                break;
            case TEXT:
                context.fillStyle = colour;
                for (let g = glyphs + 3 * first, end = g + 3 * n; g < end; g += 3) {
                    context.fillText(String.fromCharCode(heap[g + 2]), heap[g], heap[g + 1]);
                }
                break;
            }
        }
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

    function addDownloadButton(i, label) {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = label;
        button.disabled = true;  // until there is a pair (page.offerDownloads)
        // Keeps the focus where it is, on the drawing.
        button.addEventListener("pointerdown", function (event) {
            event.preventDefault();
        });
        button.addEventListener("click", function () {
            module._webDownload(program, i);
        });
        downloadRow.appendChild(button);
        downloadButtons.push(button);
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
        offerDownloads: function () {
            for (const button of downloadButtons) {
                button.disabled = false;
            }
        },
        save: function (name, type, text) {
            const link = document.createElement("a");
            link.href = URL.createObjectURL(new Blob([text], { type: type }));
            link.download = name;
            document.body.appendChild(link);
            link.click();
            link.remove();
            setTimeout(URL.revokeObjectURL, SAVED_URL_MS, link.href);
        },
        ended: function () {
            stopRepeat();
            input.disabled = true;
            for (const button of buttons) {
                button.disabled = true;
            }
        },
    };

    // Says on the console panel, in the text tables' words (texts.js, a
    // module that loads from disk), that the page needs a web server or the
    // one-file page.
    function sayServerNeeded() {
        // Without the program there is nothing to draw.
        document.getElementById("drawing-panel").hidden = true;
        const script = document.createElement("script");
        script.src = "texts.js";
        script.addEventListener("load", function () {
            createGearmeshTexts().then(function (texts) {
                document.title = texts.UTF8ToString(texts._webWindowTitle());
                appendText(texts.UTF8ToString(texts._webNeedsServerText()), "err");
            });
        });
        document.body.appendChild(script);
    }

    // The site's module fetches gearmesh.wasm from beside it, which a page
    // opened from disk may not do; gearmesh.html holds its module inside.
    if (location.protocol === "file:" && document.querySelector("script[src='gearmesh.js']")) {
        sayServerNeeded();
        return;
    }

    createGearmesh({ page: page }).then(function (instance) {
        module = instance;
        window.gearmesh = instance;  // for the tests and the benchmark
        for (let i = 0, count = module._webButtonCount(); i < count; ++i) {
            addButton(module._webButtonKey(i), module.UTF8ToString(module._webButtonLabel(i)));
        }
        for (let i = 0, count = module._webDownloadCount(); i < count; ++i) {
            addDownloadButton(i, module.UTF8ToString(module._webDownloadLabel(i)));
        }
        program = module._webStart();
        window.gearmeshProgram = program;
    }, sayServerNeeded);
})();
