// The page around the simulator's module (gearmesh.js): it moves typed lines
// and keys into the module and shows what the module hands back (console
// texts, frames to paint, where the focus goes, files to save). Every text,
// rule and drawing decision is the module's.
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
    // Where the browser remembers the language chosen with the switch.
    const LANGUAGE_STORE = "gearmesh.language";
    // How long the link button says it has copied.
    const COPIED_MS = 1500;
    const LINK_INTERVAL_MS = 200;
    // The address's fragment the page was opened with: a link to a picture.
    const openedWith = location.hash;

    const consoleText = document.getElementById("console");
    const form = document.getElementById("line-form");
    const input = document.getElementById("line");
    const canvas = document.getElementById("drawing");
    const keyRow = document.getElementById("keys");
    const downloadRow = document.getElementById("downloads");
    const hint = document.getElementById("drawing-hint");
    const copyButton = document.getElementById("copy-link");
    const languageSwitch = document.getElementById("language-switch");
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
    // The link waiting to become the address, and the pause before the next.
    let pendingLink = null;
    let linkTimer = 0;
    const buttons = [];
    const languageButtons = [];
    // The study view's toggle, and the buttons whose keys work only in the study view.
    let studyToggle = null;
    const studyButtons = [];
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
    // (in doubles), and how it is painted: the same for every frame of the
    // program (frameLayout, made once it exists).
    let frameLayout = null;
    function makeFrameLayout() {
        return {
            stride: module._webFrameItemStride(),
            items: module._webFrameItems(program) / 8,
            points: module._webFramePoints(program) / 8,
            glyphs: module._webFrameGlyphs(program) / 8,
            size: module._webCanvasPixels(),
            lineJoin: module.UTF8ToString(module._webCanvasLineJoin()),
            lineCap: module.UTF8ToString(module._webCanvasLineCap()),
            font: module.UTF8ToString(module._webCanvasFont(program)),
        };
    }

    // The module's last frame: its layout with its item count and the memory
    // it is in now (the memory may have grown since the frame before).
    function currentFrame() {
        frameLayout.heap = module.HEAPF64;
        frameLayout.count = module._webFrameItemCount(program);
        return frameLayout;
    }

    // Paints items from .. to - 1 of frame on target, a 2D context the size
    // of the drawing; plain: every stroke stroked, outlines left unused.
    function paintItems(target, frame, from, to, plain) {
        if (from >= to) {
            return;
        }
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

    // Before the first frame the drawing is blank, in its own background
    // colour: an opaque canvas starts out black.
    function paintBlank() {
        context.setTransform(1, 0, 0, 1, 0, 0);
        context.fillStyle = getComputedStyle(canvas).backgroundColor;
        context.fillRect(0, 0, canvas.width, canvas.height);
    }

    // The backing store follows the drawing's size on the screen in device
    // pixels, so lines stay sharp on dense screens; the frame is painted
    // again at the new size, without a redraw of the module.
    function fitBackingStore(devicePixels) {
        if (devicePixels > 0 && canvas.width !== devicePixels) {
            canvas.width = canvas.height = devicePixels;
            if (frameShown) {
                paintFrame();
            } else {
                paintBlank();
            }
        }
    }
    paintBlank();

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

    // A button of the key row: press runs when it is pressed (a pointer's
    // main button, Enter or space), hold instead, when given, for a pointer
    // held down until stopRepeat. The focus stays where it is, on the drawing.
    function addKeyRowButton(press, hold) {
        const button = document.createElement("button");
        button.type = "button";
        button.addEventListener("pointerdown", function (event) {
            if (event.button !== 0) {
                return;
            }
            event.preventDefault();
            (hold || press)();
        });
        if (hold) {
            for (const name of ["pointerup", "pointerleave", "pointercancel"]) {
                button.addEventListener(name, stopRepeat);
            }
        }
        button.addEventListener("contextmenu", function (event) {
            event.preventDefault();
        });
        // Enter or space on a focused button; pointers are handled above.
        button.addEventListener("click", function (event) {
            if (event.detail === 0) {
                press();
            }
        });
        keyRow.appendChild(button);
        buttons.push(button);
        return button;
    }

    // The module labels it in the page's language (page.buttonLabel).
    function addButton(key) {
        addKeyRowButton(function () { pressKey(key); }, function () { holdKey(key); });
    }

    // The module labels it in the page's language (page.downloadLabel).
    function addDownloadButton(i) {
        const button = document.createElement("button");
        button.type = "button";
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

    // The number of the language whose code is code in mod, the page's
    // module or the text tables' (texts.js); -1 for none.
    function languageNumber(mod, code) {
        for (let i = 0, count = mod._webLanguageCount(); i < count; ++i) {
            if (mod.UTF8ToString(mod._webLanguageCode(i)) === code) {
                return i;
            }
        }
        return -1;
    }

    // Sets the module's language by its code ("ja", "en"); false, changing
    // nothing, for a code the module does not know. A link's language
    // (lang=en) is set with this call before the start, and not remembered.
    function useLanguage(code) {
        const language = languageNumber(module, code);
        return language >= 0 && module._webSetLanguage(program, language) !== 0;
    }

    // The language chosen with the switch on an earlier visit, or null.
    function rememberedLanguage() {
        try {
            return localStorage.getItem(LANGUAGE_STORE);
        } catch (error) {
            return null;  // storage refused (privacy settings): Japanese
        }
    }

    function addLanguageButton(language) {
        const code = module.UTF8ToString(module._webLanguageCode(language));
        const button = document.createElement("button");
        button.type = "button";
        button.lang = code;
        button.dataset.language = code;
        button.textContent = module.UTF8ToString(module._webLanguageName(language));
        // Keeps the focus on the input line or the drawing.
        button.addEventListener("pointerdown", function (event) {
            event.preventDefault();
        });
        button.addEventListener("click", function () {
            if (useLanguage(code)) {
                try {
                    localStorage.setItem(LANGUAGE_STORE, code);
                } catch (error) {
                    // Not remembered, but switched all the same.
                }
            }
        });
        languageSwitch.appendChild(button);
        languageButtons.push(button);
    }

    // The toggle shows whether the study view is on; the shift buttons work only then.
    function showStudy(on) {
        studyToggle.setAttribute("aria-pressed", on ? "true" : "false");
        for (const button of studyButtons) {
            button.disabled = !on;
        }
    }

    function toggleStudy() {
        if (module === null || program === 0) {
            return;
        }
        showStudy(module._webSetStudy(program, module._webStudy(program) !== 0 ? 0 : 1) !== 0);
    }

    // The module labels it in the page's language, as the key buttons.
    function addStudyToggle() {
        studyToggle = addKeyRowButton(toggleStudy, null);
        studyToggle.setAttribute("aria-pressed", "false");
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

    // The page's own address is rewritten without this event; an address
    // edited by hand is a new link, which the page opens afresh.
    window.addEventListener("hashchange", function () {
        location.reload();
    });

    // Copies the address, the link to the picture on screen.
    copyButton.addEventListener("click", function () {
        if (module === null) {
            return;
        }
        const copied = function () {
            module._webLinkCopied(program, 1);
            setTimeout(function () {
                module._webLinkCopied(program, 0);
            }, COPIED_MS);
        };
        if (pendingLink !== null) {
            clearTimeout(linkTimer);
            writeLink();  // the address as the picture is now
        }
        const href = location.href;
        if (navigator.clipboard && window.isSecureContext) {
            navigator.clipboard.writeText(href).then(copied, function () {
                copyBySelection(href) && copied();
            });
        } else if (copyBySelection(href)) {
            copied();
        }
    });

    // The address follows the picture: at once after a key, and while a held
    // key repeats at most every LINK_INTERVAL_MS, as browsers refuse to
    // rewrite an address hundreds of times a second.
    function writeLink() {
        linkTimer = 0;
        if (pendingLink === null) {
            return;
        }
        const address = pendingLink ? "#" + pendingLink : location.pathname + location.search;
        pendingLink = null;
        try {
            history.replaceState(null, "", address);
        } catch (error) {
            // Some browsers refuse it for pages opened from disk: the link stays as opened.
        }
        linkTimer = setTimeout(writeLink, LINK_INTERVAL_MS);
    }

    // Where the clipboard's own interface is missing (a page opened from disk).
    function copyBySelection(text) {
        const field = document.createElement("textarea");
        field.value = text;
        field.setAttribute("readonly", "");
        field.style.position = "fixed";
        field.style.opacity = "0";
        document.body.appendChild(field);
        field.select();
        let done = false;
        try {
            done = document.execCommand("copy");
        } catch (error) {
            done = false;
        }
        document.body.removeChild(field);
        return done;
    }

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
        echo: function (line) {
            appendText(line + "\n", "echo");
        },
        setLink: function (fragment) {
            pendingLink = fragment;
            if (linkTimer === 0) {
                writeLink();
            }
        },
        setTitle: function (text) {
            document.title = text;
        },
        setLanguage: function (code) {
            document.documentElement.lang = code;
            for (const button of languageButtons) {
                button.setAttribute("aria-pressed", String(button.dataset.language === code));
            }
        },
        label: function (id, text) {
            document.getElementById(id).textContent = text;
        },
        buttonLabel: function (i, text) {
            buttons[i].textContent = text;
        },
        downloadLabel: function (i, text) {
            downloadButtons[i].textContent = text;
        },
        ask: function () {
            stopRepeat();
            input.disabled = false;
            input.focus();
        },
        run: function () {
            hint.hidden = true;
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
    // module that loads from disk) and the language chosen last time, that
    // the page needs a web server or the one-file page.
    function sayServerNeeded() {
        // Without the program there is nothing to draw.
        document.getElementById("drawing-frame").hidden = true;
        const script = document.createElement("script");
        script.src = "texts.js";
        script.addEventListener("load", function () {
            createGearmeshTexts().then(function (texts) {
                const language = Math.max(0, languageNumber(texts, rememberedLanguage()));
                page.setLanguage(texts.UTF8ToString(texts._webLanguageCode(language)));
                page.setTitle(texts.UTF8ToString(texts._webWindowTitle(language)));
                page.write(texts.UTF8ToString(texts._webNeedsServerText(language)), true);
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
            if (module._webButtonToggles(i)) {
                addStudyToggle();
                continue;
            }
            addButton(module._webButtonKey(i));
            if (module._webButtonNeedsStudy(i)) {
                studyButtons.push(buttons[buttons.length - 1]);
            }
        }
        for (let i = 0, count = module._webDownloadCount(); i < count; ++i) {
            addDownloadButton(i);
        }
        for (let i = 0, count = module._webLanguageCount(); i < count; ++i) {
            addLanguageButton(i);
        }
        program = module._webCreate();
        window.gearmeshProgram = program;
        frameLayout = makeFrameLayout();
        // The language the switch chose last time, else Japanese; a link that
        // names a language overrides it when the program starts.
        const remembered = rememberedLanguage();
        if (remembered !== null) {
            useLanguage(remembered);
        }
        const fragment = openedWith.replace(/^#/, "");
        const bytes = module.lengthBytesUTF8(fragment);
        const text = module._webLineBuffer(program, bytes);
        module.stringToUTF8(fragment, text, bytes + 1);
        module._webStart(program, text);
        showStudy(module._webStudy(program) !== 0);
    }, sayServerNeeded);
})();
