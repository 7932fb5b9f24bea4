// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the drill in its place on the page, says when it has ended (a page
// cannot close its tab) or could not start, and has the page kept for use
// offline.
'use strict';

(async () => {
    const screen = document.getElementById('screen');
    const status = document.getElementById('status');
    const say = (words) => {
        status.textContent = words;
        status.hidden = false;
    };
    document.addEventListener('@ended_event@', () => {
        screen.hidden = true;
        say('Skorvex has ended. Reload the page to play again.');
    });
    // The worker keeps the page once it is drawn, so that its fetches never
    // compete with the page's own download.
    const keep = () => {
        if ('serviceWorker' in navigator)
            navigator.serviceWorker.register('sw.js').catch(() => {});
    };
    try {
        await qtLoad({
            qt: {
                containerElements: [screen],
                entryFunction: window.skorvex_entry,
                module: window.skorvexProgram,
                onLoaded: () => {
                    status.hidden = true;
                    keep();
                },
                onExit: (exit) => {
                    if (exit.crashed)
                        say('Skorvex stopped: ' + exit.text);
                },
            },
        });
    } catch (error) {
        say('Skorvex could not start in this browser: ' + error);
    }
})();
