#pragma once

#include <string>

// A symbolic link at a fixed path that follows the pseudo-terminal in use, so that a client can
// be given one path for a cable that vanishes and comes back under another /dev/pts number.
class PtyLink {
public:
    explicit PtyLink(std::string path);
    ~PtyLink(); // removes the link if it is still ours
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    // Something other than a symbolic link at the path is never replaced: it may be a user's file.
    bool CheckPathFree(std::string& error) const;
    // Points the link at `target`, replacing the old link in one step.
    bool PointAt(const std::string& target, std::string& error);
    // Removes the link, unless someone has since put something else there.
    void Remove();

private:
    std::string m_path;
    std::string m_target; // empty while no link of ours exists
};
