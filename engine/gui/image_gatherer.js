// Gathers every image a frame's document shows or names, for the Image List. It runs in
// a script world of its own in every frame: the page's scripts cannot see its names,
// change the DOM functions it calls, or stop it. It walks the document in slices that
// give the page and the window their turn, and reports through the "quorvaneImages"
// message handler in pieces: {"frame", "top": the page's own document, "gather", "items":
// [{"a": address, "k": kind, "d": descriptor, "g": srcset group, "nw"/"nh": natural size,
// "sw"/"sh": shown size, "t": alt or title, "na": an img without an alt attribute, "cut":
// address cut}], "done", "stopped": it found more than it sends}. An image that no <img>
// shows is sent at once and measured meanwhile by loading it; its size follows in
// {"frame", "top", "gather", "sizes": [[address, width, height]], "measured": nothing of
// the gathering is measured any more}. An image is waited for kProbeMs from when it was
// found, however many others wait: one that does not answer holds up no other.
// A frame is gathered when its document is parsed, so that the list fills while the page
// loads, and again at its load, when its pictures are laid out at their shown sizes; only
// a gathering at or after the load sends "done".
(() => {
    'use strict';
    const kSliceMs = 8;
    const kMaxAddress = 1024 * 1024;
    const kMaxText = 1000;
    const kItemsPerReport = 1000;
    const kReportChars = 4 * 1024 * 1024;
    const kMaxItems = 50000;
    const kProbesAtOnce = 64;
    const kSlowProbeMs = 500;  // a probe that takes longer leaves its place to the next
    const kMaxProbesWaiting = 512;  // slow ones included: a page's loads come first
    const kProbeMs = 5000;
    const kSizesMs = 250;  // measured sizes are sent together, at most this late
    const kCssProperties = ['background-image', 'border-image-source', 'list-style-image',
                            'content', 'mask-image', '-webkit-mask-image', 'cursor'];
    const kImageName = /\.(png|jpe?g|gif|webp|avif|svg|bmp|ico|tiff?|jxl|apng)([?#]|$)/i;
    const kSrcsetLike = /\s\d+(\.\d+)?[wx]\s*(,|$)/;
    const kImageType = /^image\//i;

    const handler = window.webkit && window.webkit.messageHandlers &&
                    window.webkit.messageHandlers.quorvaneImages;
    if (!handler) {
        return;
    }
    const frame = Math.random().toString(36).slice(2, 12);
    const top = window === window.top;
    let gathering = 0;
    let groups = 0;
    const sizes = new Map();  // address: a promise of its natural size, [0, 0] when unknown

    const wellFormed = (s) => (typeof s.toWellFormed === 'function' ? s.toWellFormed() : s);
    const shortText = (s) => wellFormed(String(s || '').slice(0, kMaxText));
    const absolute = (value) => {
        try {
            return new URL(value, document.baseURI).href;
        } catch (e) {
            return '';
        }
    };

    const withoutFragment = (address) => address.split('#')[0];

    const yieldTurn = () => new Promise((resume) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => resume();
        channel.port2.postMessage(0);
    });

    // The natural size of an image that no <img> shows, by loading it once, waited for up to
    // deadline. One that did not answer by then is given up and its load stopped, and is
    // not remembered: a later gathering, when the page has loaded, asks again.
    const naturalSize = (address, deadline) => {
        let answer = sizes.get(address);
        if (answer) {
            return answer;
        }
        answer = new Promise((resolve) => {
            const probe = new Image();
            const timer = setTimeout(() => {
                probe.onload = probe.onerror = null;
                probe.removeAttribute('src');
                if (sizes.get(address) === answer) {
                    sizes.delete(address);
                }
                resolve([0, 0]);
            }, Math.max(0, deadline - performance.now()));
            const end = () => {
                clearTimeout(timer);
                resolve([probe.naturalWidth || 0, probe.naturalHeight || 0]);
            };
            probe.onload = end;
            probe.onerror = end;
            probe.src = address;
        });
        sizes.set(address, answer);
        return answer;
    };

    const shownSize = (element) => {
        if (!element.getClientRects || element.getClientRects().length === 0) {
            return [0, 0];
        }
        const box = element.getBoundingClientRect();
        return [Math.round(box.width), Math.round(box.height)];
    };

    // The candidates of a srcset: [[address, descriptor], ...]. A shorter reading than the
    // standard's, which inspection/srcset_candidates follows for the served text: commas in
    // parentheses and descriptors a browser rejects are not looked at here.
    const candidates = (srcset) => {
        const found = [];
        for (const part of String(srcset).split(/,\s+|,(?=\S+\s)/)) {
            const [address, descriptor] = part.trim().split(/\s+/);
            if (address) {
                found.push([absolute(address), descriptor || '']);
            }
        }
        return found;
    };

    // CSS's escapes (CSS Syntax, "consume an escaped code point"): a backslash and up to six
    // hex digits, with one white space after them, stand for that code point; a backslash
    // and a line break inside a string for nothing; a backslash and any other character for
    // that character. Returns the code point's text and where the escape ends.
    const kCssSpace = /[ \t\n\r\f]/;
    const cssEscape = (text, at) => {
        const hex = /^[0-9a-fA-F]{1,6}/.exec(text.slice(at, at + 6));
        if (!hex) {
            return at < text.length ? [text[at], at + 1] : ['\uFFFD', at];
        }
        let end = at + hex[0].length;
        if (kCssSpace.test(text[end] || '')) {
            end += text[end] === '\r' && text[end + 1] === '\n' ? 2 : 1;
        }
        const code = parseInt(hex[0], 16);
        const valid = code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        return [valid ? String.fromCodePoint(code) : '\uFFFD', end];
    };

    // The addresses of a computed CSS value's url() functions, as the page wrote them: the
    // engine gives each as a CSS string (url("a\"b")), which is read as CSS reads it.
    const cssAddresses = (value) => {
        const found = [];
        const text = String(value);
        for (let at = text.indexOf('url('); at !== -1; at = text.indexOf('url(', at)) {
            let i = at + 4;
            while (kCssSpace.test(text[i] || '')) {
                ++i;
            }
            const quote = text[i] === '"' || text[i] === "'" ? text[i++] : '';
            let address = '';
            while (i < text.length) {
                const c = text[i];
                if (quote ? c === quote : c === ')' || kCssSpace.test(c)) {
                    break;
                }
                if (c !== '\\') {
                    address += c;
                    ++i;
                } else if (quote && (text[i + 1] === '\n' || text[i + 1] === '\f')) {
                    i += 2;
                } else {
                    const [decoded, end] = cssEscape(text, i + 1);
                    address += decoded;
                    i = end;
                }
            }
            found.push(address);
            at = i;
        }
        return found;
    };

    class Gathering {
        // A gathering before the frame's load ends without saying so: the one at the load
        // follows, and the list reads the pictures' bytes only once that has ended, when
        // the engine holds what the page loaded.
        constructor(number, final) {
            this.number = number;
            this.final = final;
            this.items = [];
            this.chars = 0;
            this.count = 0;
            this.sizes = [];
            this.sizesTimer = 0;
            this.probeQueue = [];  // [address, deadline], of which the first probeNext started
            this.probeNext = 0;
            this.probing = 0;  // probes started and not yet ended
            this.quickProbes = 0;  // of those, the ones that hold a place
            this.walked = false;
            this.measuredSent = false;
        }

        add(address, kind, facts = {}) {
            if (!address) {
                return;
            }
            if (this.count >= kMaxItems) {
                this.stopped = true;
                return;
            }
            ++this.count;
            const cut = facts.cut || address.length > kMaxAddress;
            const item = {a: wellFormed(cut ? address.slice(0, kMaxAddress) : address), k: kind};
            if (cut) item.cut = true;
            if (facts.d) item.d = facts.d;
            if (facts.g) item.g = facts.g;
            if (facts.t) item.t = shortText(facts.t);
            if (facts.na) item.na = true;
            const natural = facts.natural || [0, 0];
            const shown = facts.shown || [0, 0];
            [item.nw, item.nh, item.sw, item.sh] = [natural[0], natural[1], shown[0], shown[1]];
            if (!facts.natural && !cut) {
                this.measure(item.a);
            }
            this.items.push(item);
            this.chars += item.a.length;
        }

        // Sends what is gathered, in the order it was found.
        send(done) {
            const items = this.items;
            const stopped = this.stopped === true;
            this.items = [];
            this.chars = 0;
            if (this.number === gathering) {
                handler.postMessage(
                    JSON.stringify({frame, top, gather: this.number, items, done, stopped}));
            }
        }

        // Measures an image while the walk goes on, waited for kProbeMs from now. The probes
        // share kProbesAtOnce places: as one ends, or has taken kSlowProbeMs, the next starts,
        // so that a slow image holds up no other; up to kMaxProbesWaiting wait at once, so
        // that a server busy with the page's own pictures is not asked for thousands more.
        measure(address) {
            this.probeQueue.push([address, performance.now() + kProbeMs]);
            this.startProbes();
        }

        startProbes() {
            while (this.quickProbes < kProbesAtOnce && this.probing < kMaxProbesWaiting &&
                   this.probeNext < this.probeQueue.length) {
                const [address, deadline] = this.probeQueue[this.probeNext];
                this.probeQueue[this.probeNext++] = null;
                ++this.probing;
                ++this.quickProbes;
                let holdsPlace = true;
                const leavePlace = () => {
                    if (holdsPlace) {
                        holdsPlace = false;
                        --this.quickProbes;
                    }
                };
                const slow = setTimeout(() => {
                    leavePlace();
                    this.startProbes();
                }, kSlowProbeMs);
                // A later gathering replaced this one, or the image's wait is over before its
                // turn came: it is not measured.
                const late = performance.now() >= deadline && !sizes.has(address);
                const size = this.number === gathering && !late ? naturalSize(address, deadline)
                                                                : Promise.resolve([0, 0]);
                size.then(([width, height]) => {
                    clearTimeout(slow);
                    leavePlace();
                    --this.probing;
                    this.measured(address, width, height);
                    this.startProbes();
                });
            }
            this.endMeasuring();
        }

        // Once the walk has ended and no probe waits, the sizes go out at once, saying so.
        endMeasuring() {
            if (this.walked && this.probing === 0 && this.probeNext === this.probeQueue.length &&
                !this.measuredSent) {
                this.measuredSent = true;
                this.sendSizes(true);
            }
        }

        measured(address, width, height) {
            if (width === 0 && height === 0) {
                return;
            }
            this.sizes.push([address, width, height]);
            if (this.sizes.length >= kItemsPerReport) {
                this.sendSizes();
            } else if (!this.sizesTimer) {
                this.sizesTimer = setTimeout(() => this.sendSizes(), kSizesMs);
            }
        }

        // The rows go first: a size of an image not yet sent would find no row.
        sendSizes(measured = false) {
            clearTimeout(this.sizesTimer);
            this.sizesTimer = 0;
            if (this.items.length > 0) {
                this.send(false);
            }
            const sizes = this.sizes;
            this.sizes = [];
            if ((sizes.length > 0 || measured) && this.number === gathering) {
                handler.postMessage(
                    JSON.stringify({frame, top, gather: this.number, sizes, measured}));
            }
        }

        full() {
            return this.items.length >= kItemsPerReport || this.chars >= kReportChars;
        }

        // By name first: reading each of element.attributes makes a node of it, which for
        // every attribute of every element was about half of the walk's time.
        lazyAttributes(element) {
            const names = element.getAttributeNames();
            for (let place = 0; place < names.length; ++place) {
                if (!names[place].startsWith('data-')) {
                    continue;
                }
                const value = element.attributes[place].value.trim();
                if (!value) {
                    continue;
                }
                if (kSrcsetLike.test(value)) {
                    const group = 'l' + ++groups;
                    for (const [address, d] of candidates(value)) {
                        this.add(address, 'lazy', {d, g: group});
                    }
                } else if (/^data:image\//i.test(value) || kImageName.test(value)) {
                    this.add(absolute(value), 'lazy');
                }
            }
        }

        css(element) {
            for (const pseudo of [null, '::before', '::after']) {
                const style = getComputedStyle(element, pseudo);
                // A ::before or ::after without content is never drawn, whatever its style.
                if (pseudo && (style.content === 'none' || style.content === 'normal')) {
                    continue;
                }
                for (const property of kCssProperties) {
                    for (const address of cssAddresses(style.getPropertyValue(property))) {
                        this.add(absolute(address), 'css');
                    }
                }
            }
        }

        srcset(element, kind, group) {
            const value = element.getAttribute('srcset');
            for (const [address, d] of value ? candidates(value) : []) {
                this.add(address, kind, {d, g: group});
            }
        }

        img(element) {
            const picture = element.parentElement && element.parentElement.localName === 'picture'
                                ? element.parentElement : null;
            const group = element.hasAttribute('srcset') || picture ? 'g' + ++groups : '';
            // An empty src (a lazy loader's placeholder) names no picture, though the engine
            // reads it as the page's own address.
            const named = (element.getAttribute('src') || '').trim() !== '' || element.currentSrc;
            const address = named ? element.currentSrc || element.src : '';
            const own = withoutFragment(address) === withoutFragment(document.URL);
            this.add(own ? '' : address, 'img', {
                g: group,
                t: element.alt || element.title,
                na: !element.hasAttribute('alt'),
                natural: element.complete && element.naturalWidth
                             ? [element.naturalWidth, element.naturalHeight] : null,
                shown: shownSize(element),
            });
            this.srcset(element, 'srcset', group);
            if (picture) {
                for (const source of picture.querySelectorAll(':scope > source')) {
                    this.srcset(source, 'picture', group);
                }
            }
        }

        svg(element) {
            const markup = element.outerHTML;
            const cut = markup.length > kMaxAddress;
            const address = 'data:image/svg+xml,' +
                            encodeURIComponent(wellFormed(cut ? markup.slice(0, kMaxAddress) : markup));
            const shown = shownSize(element);
            const box = element.viewBox && element.viewBox.baseVal;
            const natural = box && box.width ? [Math.round(box.width), Math.round(box.height)]
                                             : shown;
            this.add(address, 'svg', {natural, shown, cut, t: element.getAttribute('aria-label')});
        }

        element(element) {
            const name = element.localName;
            if (name === 'img') {
                this.img(element);
            } else if (name === 'svg' && !(element.parentElement && element.parentElement.closest('svg'))) {
                this.svg(element);
            } else if ((name === 'image' || name === 'use') && element.namespaceURI === 'http://www.w3.org/2000/svg') {
                const href = element.getAttribute('href') || element.getAttribute('xlink:href') || '';
                if (href && !href.startsWith('#')) {
                    this.add(absolute(href), 'svg-reference', {shown: shownSize(element)});
                }
            } else if (name === 'video' && element.getAttribute('poster')) {
                this.add(element.poster, 'poster', {shown: shownSize(element)});
            } else if (name === 'input' && element.type === 'image' && element.src) {
                this.add(element.src, 'input', {t: element.alt, shown: shownSize(element)});
            } else if (name === 'link' && element.relList.contains('icon') && element.href) {
                this.add(element.href, 'icon');
            } else if (name === 'meta' && element.getAttribute('property') === 'og:image') {
                this.add(absolute(element.content), 'og:image');
            } else if ((name === 'object' && kImageType.test(element.type) && element.data) ||
                       (name === 'embed' && kImageType.test(element.type) && element.src)) {
                this.add(name === 'object' ? element.data : element.src, 'object',
                         {shown: shownSize(element)});
            }
            this.lazyAttributes(element);
            this.css(element);
        }

        // Once past the bound nothing more is sent, and the walk ends there.
        async run() {
            const roots = [document.documentElement];
            while (roots.length > 0 && !this.stopped) {
                const walker = document.createTreeWalker(roots.shift(), NodeFilter.SHOW_ELEMENT);
                for (let node = walker.currentNode; node;) {
                    const sliceEnd = performance.now() + kSliceMs;
                    while (node && performance.now() < sliceEnd) {
                        this.element(node);
                        if (node.shadowRoot) {
                            roots.push(node.shadowRoot);
                        }
                        if (this.full()) {
                            this.send(false);
                        }
                        node = this.stopped ? null : walker.nextNode();
                    }
                    await yieldTurn();
                    if (this.number !== gathering) {
                        return;
                    }
                }
            }
            this.end();
        }

        end() {
            this.send(this.final);
            this.walked = true;
            this.endMeasuring();
        }
    }

    // Gathers this frame afresh, a gathering still running ending; asked again, also the
    // frames of its origin, whose own gathering ran at their load.
    const gather = (withFrames) => {
        if (sizes.size > kMaxItems) {
            sizes.clear();
        }
        // A gathering that fails midway still ends, with what it found: the list would
        // otherwise wait for it for good.
        const current = new Gathering(++gathering, document.readyState === 'complete');
        current.run().catch(() => current.end()).catch(() => {});
        for (let i = 0; withFrames === true && i < window.frames.length; ++i) {
            try {
                window.frames[i].__quorvaneGatherImages(true);
            } catch (e) {
                // A frame of another origin gathers on its own, at its load.
            }
        }
    };
    window.__quorvaneGatherImages = gather;
    gather(false);
    if (document.readyState !== 'complete') {
        window.addEventListener('load', () => gather(false), {once: true});
    }
})();
