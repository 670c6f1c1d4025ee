// The map names the page calls, over Leaflet. Without Leaflet GBrowserIsCompatible() is false
// and the page stays empty. Positions arrive as texts or numbers; latitude is clamped to +-90,
// longitude wrapped into -180..180.
(function () {
  'use strict';
  var hasLeaflet = typeof L !== 'undefined';
  var maps = [];
  var route = null;          // the last route given, drawn on every map made afterwards
  var host = null;           // the host's web channel object, once connected

  if (hasLeaflet) {
    var link = document.createElement('link');
    link.rel = 'stylesheet';
    link.href = 'tripdesk-map://api/leaflet/leaflet.css';
    document.head.appendChild(link);
  }
  if (typeof QWebChannel !== 'undefined' && typeof qt !== 'undefined' && qt.webChannelTransport) {
    new QWebChannel(qt.webChannelTransport, function (channel) { host = channel.objects.tripdesk; });
  }

  function number(value) {
    var n = typeof value === 'number' ? value : parseFloat(String(value));
    return isFinite(n) ? n : 0;
  }

  function GLatLng(lat, lng) {
    var y = number(lat);
    var x = number(lng);
    this.y = Math.max(-90, Math.min(90, y));
    this.x = (x < -180 || x > 180) ? ((x + 180) % 360 + 360) % 360 - 180 : x;
  }
  GLatLng.prototype.lat = function () { return this.y; };
  GLatLng.prototype.lng = function () { return this.x; };

  function GMarker(latLng) {
    this.latLng = latLng;
    if (hasLeaflet) this.leaflet = L.marker([latLng.lat(), latLng.lng()], { keyboard: false });
  }
  GMarker.prototype.getLatLng = function () { return this.latLng; };

  function GSmallZoomControl() {
    if (hasLeaflet) this.leaflet = L.control.zoom({ position: 'topleft' });
  }

  function GMapTypeControl() {
    if (!hasLeaflet) return;
    var TypeControl = L.Control.extend({
      options: { position: 'topright' },
      onAdd: function (leafletMap) {
        var box = L.DomUtil.create('div', 'leaflet-bar tripdesk-map-type');
        var entries = [['\uC9C0\uB3C4', ''], ['\uD751\uBC31', 'grayscale(100%)']];   // map, black-and-white
        entries.forEach(function (entry) {
          var button = L.DomUtil.create('a', 'tripdesk-map-type-' + (entry[1] ? 'grey' : 'plain'), box);
          button.href = '#';
          button.textContent = entry[0];
          button.style.width = 'auto';
          button.style.padding = '0 6px';
          L.DomEvent.on(button, 'click', function (event) {
            L.DomEvent.preventDefault(event);
            L.DomEvent.stopPropagation(event);
            leafletMap.getPane('tilePane').style.filter = entry[1];
          });
        });
        L.DomEvent.disableClickPropagation(box);
        return box;
      }
    });
    this.leaflet = new TypeControl();
  }

  function nearestEntry(leafletMap, points, clicked) {
    var at = leafletMap.latLngToLayerPoint(clicked);
    var best = -1;
    var bestDistance = Infinity;
    for (var i = 0; i < points.length; ++i) {
      var d = leafletMap.latLngToLayerPoint([points[i][0], points[i][1]]).distanceTo(at);
      if (d < bestDistance) { bestDistance = d; best = i; }
    }
    return best < 0 ? -1 : points[best][2];
  }

  function GMap2(container) {
    this.leaflet = L.map(container, {
      zoomControl: false, doubleClickZoom: false, dragging: true, scrollWheelZoom: true,
      keyboard: false, attributionControl: true
    });
    this.leaflet.attributionControl.setPrefix('');
    L.tileLayer(tripdeskTileAddress, {
      maxZoom: 19, attribution: '\u00A9 OpenStreetMap contributors'
    }).addTo(this.leaflet);
    // Canvas line: 4 px wide and clickable 6 px from its middle.
    this.routeRenderer = L.canvas({ tolerance: 4 });
    this.routeLine = null;
    maps.push(this);
    if (route) this.showRoute(route);
  }
  GMap2.prototype.setCenter = function (latLng, zoom) {
    var z = zoom === undefined ? this.leaflet.getZoom() : zoom;
    // A reset, not a pan: a pan moves by whole pixels and misses the position.
    this.leaflet.setView([latLng.lat(), latLng.lng()], z, { reset: true });
  };
  GMap2.prototype.getCenter = function () {
    var c = this.leaflet.getCenter();
    return new GLatLng(c.lat, c.lng);
  };
  GMap2.prototype.getZoom = function () { return this.leaflet.getZoom(); };
  GMap2.prototype.setZoom = function (zoom) { this.leaflet.setZoom(zoom, { animate: false }); };
  GMap2.prototype.addOverlay = function (overlay) { overlay.leaflet.addTo(this.leaflet); };
  GMap2.prototype.removeOverlay = function (overlay) { overlay.leaflet.remove(); };
  GMap2.prototype.addControl = function (control) { control.leaflet.addTo(this.leaflet); };
  GMap2.prototype.showRoute = function (points) {
    if (this.routeLine) { this.routeLine.remove(); this.routeLine = null; }
    if (!points.length) return;
    var leafletMap = this.leaflet;
    this.routeLine = L.polyline(points.map(function (p) { return [p[0], p[1]]; }), {
      color: 'rgb(230, 30, 30)', weight: 4, opacity: 1, interactive: true,
      renderer: this.routeRenderer
    }).addTo(leafletMap);
    this.routeLine.on('click', function (event) {
      var entry = nearestEntry(leafletMap, points, event.latlng);
      if (entry >= 0 && host) host.seekToEntry(entry);
    });
  };

  window.GBrowserIsCompatible = function () { return hasLeaflet; };
  window.GLatLng = GLatLng;
  window.GMarker = GMarker;
  window.GMap2 = GMap2;
  window.GSmallZoomControl = GSmallZoomControl;
  window.GMapTypeControl = GMapTypeControl;
  window.GUnload = function () {
    maps.forEach(function (m) { m.leaflet.remove(); });
    maps = [];
  };
  // The route as [[lat, lng, entry], ...]; kept for a map made later. Empty: no line.
  window.tripdeskShowRoute = function (points) {
    route = points;
    maps.forEach(function (m) { m.showRoute(points); });
    return points.length;
  };
})();
