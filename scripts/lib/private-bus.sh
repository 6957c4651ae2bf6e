# Sourced by the scripts that run on a session bus of their own.

# A session bus that activates no services: a desktop's services (portals,
# GNOME's or KDE's daemons) would start on it and outlive the run. Monitors may
# watch everything on it.
write_quiet_bus_config() {  # $1: file
  cat >"$1" <<'EOF'
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
}
